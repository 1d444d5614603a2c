// The about dialog composes identity, revision and date, and shows the release notes of the interface
// language.
#include "AboutDialog.h"
#include "Startup.h"
#include "TestSupport.h"

#include <QEvent>
#include <QJsonObject>
#include <QLocale>
#include <QtTest>

class tst_AboutDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        TestSupport::isolateSettings();
        Taviro::setApplicationIdentity();
    }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void revisionAndDateLines()
    {
        AboutDialog dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("About this application"));
        dialog.setRevision(QStringLiteral("572"));
        dialog.setDate(QStringLiteral("2025-11-19"));
        const QString text = dialog.informationText();
        QVERIFY2(text.contains(QStringLiteral("Revision: 572<br>Date: 2025-11-19<br>")), qPrintable(text));
        QVERIFY(text.startsWith(QStringLiteral("Taviro3D Viewer by Taviro<br>Version: 2.1.0<br>")));
        QVERIFY(text.contains(QStringLiteral("Report bugs to ")));
    }

    void releaseNotesFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("expected");
        QTest::newRow("english") << "en_US" << QString("en") << "<b>Changes</b><br>&#8226; faster drawing";
        QTest::newRow("japanese") << "ja_JP" << QString("ja") << "&#8226; 描画の高速化";
        QTest::newRow("no notes stored") << "de_DE" << QString("de") << "";
    }
    void releaseNotesFollowTheLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QFETCH(QString, expected);
        AboutDialog dialog;
        dialog.setReleaseNotes(QJsonObject{{"en", "# Changes\n - faster drawing"}, {"ja", "* 描画の高速化"}});
        QLocale::setDefault(QLocale(locale));
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&dialog, &change);
        QCOMPARE(dialog.language(), language);
        QCOMPARE(dialog.releaseNotesText(), expected);
    }
};

QTEST_MAIN(tst_AboutDialog)
#include "tst_aboutdialog.moc"
