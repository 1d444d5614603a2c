#include <QtTest>
class TestComposer : public QObject
{
    Q_OBJECT
};
QTEST_MAIN(TestComposer)
#include "tst_composer.moc"
