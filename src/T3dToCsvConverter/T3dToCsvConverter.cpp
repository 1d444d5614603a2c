#include "T3dToCsvConverter.h"

#include "DataRecorderToCSV.h"
#include "FileDevice.h"
#include "T3DFileDevice.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

T3dToCsvConverter::T3dToCsvConverter(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Taviro3DFile To CSV Converter"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowIcon(QIcon(QStringLiteral(":/T3dToCsvConverter/csv")));

    m_worker = new DataRecorderToCSV;
    // The dialog's own devices: the viewer's playing log is not disturbed by a conversion.
    const QSharedPointer<FileDevice> vbl = QSharedPointer<FileDevice>::create();
    const QSharedPointer<T3DFileDevice> t3d = QSharedPointer<T3DFileDevice>::create();
    m_worker->addDevice(vbl);
    m_worker->addDevice(t3d);
    connect(vbl.data(), &LogFileDevice::initialized, this, &T3dToCsvConverter::startConvert);
    connect(t3d.data(), &LogFileDevice::initialized, this, &T3dToCsvConverter::startConvert);
    connect(m_worker, &DataRecorderToCSV::deviceOpened, this, &T3dToCsvConverter::startConvert);
    connect(m_worker, &RecorderWorker::recordWritten, this, &T3dToCsvConverter::updateProgress);
    connect(m_worker, &DataRecorder::recordingStopped, this, &T3dToCsvConverter::finishedConvert);
    connect(m_worker, &RecorderWorker::errorFound, this,
            [this](const QString &error) { m_lastError = error; });

    m_label = new QLabel(this);
    m_fileEdit = new QLineEdit(this);
    m_fileEdit->setReadOnly(true);
    m_browse = new QPushButton(this);
    m_browse->setIcon(QIcon(QStringLiteral(":/T3dToCsvConverter/open")));
    m_browse->setIconSize(QSize(16, 16));
    m_progress = new QProgressBar(this);
    m_progress->setValue(0);
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    m_close = new QPushButton(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 5, 5, 5);
    auto *fileRow = new QHBoxLayout;
    fileRow->setSpacing(5);
    fileRow->setContentsMargins(5, 5, 5, 5);
    fileRow->addWidget(m_label);
    fileRow->addWidget(m_fileEdit);
    fileRow->addWidget(m_browse);
    layout->addLayout(fileRow);
    layout->addWidget(m_progress);
    layout->addWidget(line);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(5, 5, 5, 5);
    buttonRow->setSpacing(0);
    buttonRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    buttonRow->addWidget(m_close);
    layout->addLayout(buttonRow);

    connect(m_browse, &QPushButton::clicked, this, &T3dToCsvConverter::openFile);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);
    retranslate();
}

T3dToCsvConverter::~T3dToCsvConverter()
{
    m_worker->disconnect(this);
    m_worker->stopRecording();
    m_worker->deleteLater();
}

void T3dToCsvConverter::retranslate()
{
    m_label->setText(tr("Taviro3DFile:"));
    m_browse->setToolTip(tr("Convert"));
    m_close->setText(tr("Close"));
    setWindowTitle(tr("Taviro3DFile To CSV Converter"));
}

void T3dToCsvConverter::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void T3dToCsvConverter::openFile()
{
    const QString name = QFileDialog::getOpenFileName(this, tr("Select a file"), QDir::currentPath(),
                                                      tr("Taviro3D File (*.vbl *.t3d)"));
    if (!name.isEmpty())
        (void)convertFile(name);
}

bool T3dToCsvConverter::convertFile(const QString &fileName)
{
    if (m_converting || !m_worker->openFile(fileName))
        return false;
    m_count = 0;
    m_lastError.clear();
    m_progress->setValue(0);
    m_fileEdit->setText(fileName);
    m_browse->setEnabled(false);
    m_close->setEnabled(false);
    setCloseButtonHint(false);
    QDir::setCurrent(QFileInfo(fileName).absolutePath());
    return true;
}

void T3dToCsvConverter::startConvert()
{
    if (m_converting || m_worker->isRunning())
        return;
    const int count = m_worker->recordCount();
    if (count > 0) {
        m_converting = true;
        m_progress->setMaximum(count);
        m_worker->startRecording();
        return;
    }
    showMessage(QMessageBox::Critical, tr("Conversion file could not be created."));
    reset();
}

void T3dToCsvConverter::updateProgress()
{
    ++m_count;
    m_progress->setValue(m_count);
}

void T3dToCsvConverter::finishedConvert()
{
    if (!m_converting) {
        // The user chose to interrupt while the application was closing.
        QCoreApplication::quit();
        return;
    }
    // Success only when every record went into the files and nothing failed.
    if (m_worker->succeeded() && m_count == m_progress->maximum()) {
        showMessage(QMessageBox::Information, tr("Conversion file created successfully."));
    } else {
        QString text = tr("Conversion file could not be created.");
        if (!m_lastError.isEmpty())
            text += QLatin1Char('\n') + m_lastError;
        showMessage(QMessageBox::Critical, text);
    }
    reset();
}

void T3dToCsvConverter::setSensorInfo(VEXA3D_SENSOR_INFO_T info)
{
    m_worker->setSensorInfo(info);
}

void T3dToCsvConverter::stop()
{
    m_worker->stopRecording();
}

void T3dToCsvConverter::closeEvent(QCloseEvent *event)
{
    if (!m_converting) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    QMessageBox *box =
        showMessage(QMessageBox::Question, tr("The application is quitting.") + QLatin1Char('\n') +
                                               tr("Do you want to interrupt the file conversion?"));
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    connect(box, &QMessageBox::finished, this, [this](int answer) {
        if (answer != QMessageBox::Yes || !m_converting)
            return;
        m_converting = false;
        m_worker->stopRecording();
    });
}

void T3dToCsvConverter::reset()
{
    m_converting = false;
    m_browse->setEnabled(true);
    m_close->setEnabled(true);
    setCloseButtonHint(true);
}

void T3dToCsvConverter::setCloseButtonHint(bool shown)
{
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowCloseButtonHint, shown);
    if (visible)
        show();
}

QMessageBox *T3dToCsvConverter::showMessage(int icon, const QString &text)
{
    auto *box = new QMessageBox(QMessageBox::Icon(icon), QCoreApplication::applicationName(), text,
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return box;
}
