#include "AboutDialog.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr const char *supportAddress = "support@taviro.example";
constexpr const char *qtLicensingUrl = "https://www.qt.io/licensing/";
constexpr const char *iconSetUrl = "https://github.com/taviro/taviro3d-viewer/blob/main/docs/ICONS.md";

// "- item" and "* item" become bullets, "# title" a bold heading; other lines stay as they are.
QString formatReleaseNotes(const QString &text)
{
    QStringList html;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('-')) || line.startsWith(QLatin1Char('*')))
            html << QStringLiteral("&#8226; ") + line.mid(1).trimmed().toHtmlEscaped();
        else if (line.startsWith(QLatin1Char('#')))
            html << QStringLiteral("<b>") + line.mid(1).trimmed().toHtmlEscaped() + QStringLiteral("</b>");
        else
            html << line.toHtmlEscaped();
    }
    return html.join(QStringLiteral("<br>"));
}
} // namespace

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent)
{
    setupUi();
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::close);
    composeTexts();
}

void AboutDialog::setupUi()
{
    setObjectName(QStringLiteral("AboutDialog"));
    m_logoLabel = new QLabel(this);
    m_logoLabel->setObjectName(QStringLiteral("logoLabel"));
    m_logoLabel->setPixmap(QIcon(QStringLiteral(":/icons/appIcon")).pixmap(64, 64));
    m_logoLabel->setScaledContents(true);
    m_logoLabel->setFixedSize(64, 64);

    m_informationLabel = new QLabel(QStringLiteral("TextLabel"), this);
    m_informationLabel->setObjectName(QStringLiteral("informationLabel"));
    m_informationLabel->setTextFormat(Qt::RichText);
    m_informationLabel->setWordWrap(true);
    m_informationLabel->setOpenExternalLinks(true);

    m_releaseNotesGroup = new QGroupBox(this);
    m_releaseNotesGroup->setObjectName(QStringLiteral("releaseNotesGroup"));
    m_releaseNotesLabel = new QLabel(m_releaseNotesGroup);
    m_releaseNotesLabel->setObjectName(QStringLiteral("releaseNotesLabel"));
    m_releaseNotesLabel->setTextFormat(Qt::RichText);
    m_releaseNotesLabel->setWordWrap(true);
    auto *notesLayout = new QVBoxLayout(m_releaseNotesGroup);
    notesLayout->addWidget(m_releaseNotesLabel);

    m_closeButton = new QPushButton(this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));

    auto *top = new QHBoxLayout;
    top->addWidget(m_logoLabel, 0, Qt::AlignTop);
    top->addWidget(m_informationLabel, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_releaseNotesGroup, 1);
    layout->addLayout(buttons);
    retranslateUi();
}

void AboutDialog::retranslateUi()
{
    setWindowTitle(tr("About this application"));
    m_releaseNotesGroup->setTitle(tr("Release notes"));
    m_closeButton->setText(tr("Close"));
}

void AboutDialog::setLogo(const QIcon &icon)
{
    m_logoLabel->setPixmap(icon.pixmap(64, 64));
}

void AboutDialog::setRevision(const QString &revision)
{
    m_revision = revision;
    composeTexts();
}

void AboutDialog::setDate(const QString &date)
{
    m_date = date;
    composeTexts();
}

void AboutDialog::setReleaseNotes(const QJsonObject &notes)
{
    for (auto it = notes.begin(); it != notes.end(); ++it)
        m_releaseNotes[it.key()] = it.value().toString();
    composeTexts();
}

QString AboutDialog::informationText() const
{
    return m_informationLabel->text();
}

QString AboutDialog::releaseNotesText() const
{
    return m_releaseNotesLabel->text();
}

void AboutDialog::composeTexts()
{
    QString text;
    text += QCoreApplication::applicationName() + QLatin1Char(' ') + tr("by") + QLatin1Char(' ') +
            QCoreApplication::organizationName() + QStringLiteral("<br>");
    text += tr("Version") + QStringLiteral(": ") + QCoreApplication::applicationVersion() +
            QStringLiteral("<br>");
    text += tr("Revision") + QStringLiteral(": ") + m_revision + QStringLiteral("<br>");
    text += tr("Date") + QStringLiteral(": ") + m_date + QStringLiteral("<br>");
    text += tr("Report bugs to %1").arg(QLatin1String(supportAddress)) + QStringLiteral("<br><br>");
    text += QStringLiteral("This software uses Qt library under the GNU LGPL version 2.1 license.<br>"
                           "Qt library is the product of the Qt company.\n");
    text += QStringLiteral("Please refer to <a href=\"%1\">%1</a> for more details.<br><br>")
                .arg(QLatin1String(qtLicensingUrl));
    text += QStringLiteral("This software uses icon set from <a href=\"%1\">the Taviro3D Viewer project</a>.")
                .arg(QLatin1String(iconSetUrl));
    m_informationLabel->setText(text);
    m_releaseNotesLabel->setText(formatReleaseNotes(m_releaseNotes.value(m_language)));
}

void AboutDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi();
        const QString locale = QLocale().name();
        const int cut = locale.lastIndexOf(QLatin1Char('_'));
        m_language = cut >= 0 ? locale.left(cut) : locale;
        composeTexts();
    }
}
