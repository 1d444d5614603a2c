#pragma once

#include <QObject>
#include <QPointer>

class DRALScanManager;
class QLineEdit;
class QToolBar;

// Completes the window's toolbar of one live connection: "Device Information" and "Reboot" after its
// connect and disconnect actions, Enter in the address field connects, the field takes
// "ADDRESS:PORT", and follows the address setting's lock with a look the user reads as locked.
// Lives as long as the address field.
class ConnectionToolBar : public QObject
{
    Q_OBJECT

public:
    ConnectionToolBar(DRALScanManager *manager, QToolBar *toolBar, QLineEdit *addressField);

    // Whether the field shows the locked look.
    static bool looksReadOnly(const QLineEdit *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectFromField();
    void applyLook();

    QPointer<DRALScanManager> m_manager;
    QLineEdit *m_field;
};
