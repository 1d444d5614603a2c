#pragma once

#include <QStateMachine>

class DRALScanManager;

// The connection states of a live sensor, driven by its device and connection check: which of its
// actions are enabled, and whether its address and port may be changed. Starts at once.
class ConnectionStateMachine : public QStateMachine
{
    Q_OBJECT

public:
    explicit ConnectionStateMachine(DRALScanManager *manager);
};
