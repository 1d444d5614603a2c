#include "ConnectionStateMachine.h"

#include "DRALCommunicationDevice.h"
#include "DRALScanManager.h"
#include "EthernetConnectionCheck.h"
#include "IntegerProperty.h"
#include "StringProperty.h"

#include <QAction>
#include <QState>

ConnectionStateMachine::ConnectionStateMachine(DRALScanManager *manager) : QStateMachine(manager)
{
    auto *disconnectedState = new QState(this);
    auto *connectedState = new QState(this);
    auto *initializedState = new QState(this);
    // The connection check tries to open the connection, asked for or lost; Disconnect gives up.
    auto *connectingState = new QState(this);

    QAction *connectAction = manager->connectAction();
    QAction *disconnectAction = manager->disconnectAction();
    QAction *informationAction = manager->informationAction();
    QAction *rebootAction = manager->rebootAction();
    const char *enabled = "enabled";
    disconnectedState->assignProperty(connectAction, enabled, true);
    disconnectedState->assignProperty(disconnectAction, enabled, false);
    disconnectedState->assignProperty(informationAction, enabled, false);
    disconnectedState->assignProperty(rebootAction, enabled, false);
    connectedState->assignProperty(connectAction, enabled, false);
    // An initialisation may take a minute while the sensor prepares: the user can give up on it.
    connectedState->assignProperty(disconnectAction, enabled, true);
    connectedState->assignProperty(informationAction, enabled, true);
    connectedState->assignProperty(rebootAction, enabled, true);
    initializedState->assignProperty(connectAction, enabled, false);
    initializedState->assignProperty(disconnectAction, enabled, true);
    connectingState->assignProperty(connectAction, enabled, false);
    connectingState->assignProperty(disconnectAction, enabled, true);
    connectingState->assignProperty(informationAction, enabled, false);
    connectingState->assignProperty(rebootAction, enabled, false);
    for (PropertyItem *item : {static_cast<PropertyItem *>(manager->nameProperty()),
                               static_cast<PropertyItem *>(manager->portProperty())}) {
        disconnectedState->assignProperty(item, "readOnly", false);
        disconnectedState->assignProperty(item, "settable", true);
        connectedState->assignProperty(item, "readOnly", true);
        connectedState->assignProperty(item, "settable", false);
        connectingState->assignProperty(item, "readOnly", true);
        connectingState->assignProperty(item, "settable", false);
    }

    using D = DRALCommunicationDevice;
    DRALCommunicationDevice *device = manager->device();
    disconnectedState->addTransition(device, &D::deviceOpened, connectedState);
    disconnectedState->addTransition(manager, &ScanManager::connecting, connectingState);
    connectedState->addTransition(device, &D::deviceClosed, disconnectedState);
    connectedState->addTransition(device, &D::deviceInitialized, initializedState);
    initializedState->addTransition(device, &D::deviceClosed, disconnectedState);
    connectedState->addTransition(device, &D::connectionLost, connectingState);
    initializedState->addTransition(device, &D::connectionLost, connectingState);
    connectingState->addTransition(device, &D::deviceOpened, connectedState);
    connectingState->addTransition(device, &D::deviceClosed, disconnectedState);
    connectingState->addTransition(manager->connectionCheck(), &EthernetConnectionCheck::connectionFailed,
                                   disconnectedState);

    // The machine enters its first state from the event loop; until then the same values hold.
    connectAction->setEnabled(true);
    disconnectAction->setEnabled(false);
    informationAction->setEnabled(false);
    rebootAction->setEnabled(false);

    setInitialState(disconnectedState);
    start();
}
