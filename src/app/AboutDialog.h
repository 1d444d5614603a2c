#pragma once

#include <QDialog>
#include <QHash>
#include <QJsonObject>

class QLabel;
class QGroupBox;
class QPushButton;

// The modal "About" dialog: identity, version, revision, date, notices and the release notes of the
// interface language.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    void setLogo(const QIcon &icon);
    void setRevision(const QString &revision);
    void setDate(const QString &date);
    void setReleaseNotes(const QJsonObject &notes);

    QString informationText() const;
    QString releaseNotesText() const;
    QString language() const { return m_language; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void setupUi();
    void retranslateUi();
    void composeTexts();

    QLabel *m_logoLabel = nullptr;
    QLabel *m_informationLabel = nullptr;
    QGroupBox *m_releaseNotesGroup = nullptr;
    QLabel *m_releaseNotesLabel = nullptr;
    QPushButton *m_closeButton = nullptr;
    QString m_language = QStringLiteral("en");
    QString m_revision;
    QString m_date;
    QHash<QString, QString> m_releaseNotes;
};
