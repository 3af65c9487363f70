#include "startup.h"

#include "kit/windows.h"
#include "avvio.h"
#include "flow.h"
#include "password.h"

#include <QTimer>

#include "clients/anagrafica.h"
#include "deadlines/scadenzario.h"
#include "fees/tariffario.h"
#include "services/servizi.h"
#include "summary/riepcosti.h"
#include "protocol/protocolwindows.h"

namespace pratelia::app {

Program::Program()
{
    applyProcessFormats();
    m_password = std::make_unique<TfrmPassword>();
    m_menu = std::make_unique<TfrmAvvio>();
    m_change = std::make_unique<TfrmCambiaPassword>();
    m_password->setMainMenu(m_menu.get());
    m_password->setChangeWindow(m_change.get());
    kit::WindowCatalogue::instance().add(QStringLiteral("TfrmAvvio"), m_menu.get());
}

Program::~Program()
{
    kit::WindowCatalogue::instance().clear();
    qDeleteAll(m_applications);
}

void Program::start()
{
    m_password->centre();
    m_password->show();
    m_password->raise();
    m_password->activateWindow();
    QTimer::singleShot(0, m_menu.get(), [this] { createApplications(); });
}

namespace {

// The application windows, in the order they are created; a new
// application is one more row.
using Factory = QWidget *(*)();
const Factory kApplications[] = {
    [] () -> QWidget * { return new clients::TfrmAnagrafica(); },
    [] () -> QWidget * { return new fees::TfrmTariffario(); },
    [] () -> QWidget * { return new deadlines::TfrmScadenzario(); },
    [] () -> QWidget * { return new services::TfrmMenuServizi(); },
    [] () -> QWidget * { return new services::TfrmServizi(); },
    [] () -> QWidget * { return new summary::TfrmMenuRiepCosti(); },
    [] () -> QWidget * { return new protocol::TfrmMenuProtocollo(); },
    [] () -> QWidget * { return new protocol::TfrmProtocollo(); },
};

} // namespace

void Program::createApplications()
{
    if (m_created)
        return;
    m_created = true;
    for (const Factory make : kApplications) {
        QWidget *w = make();
        w->hide();
        m_applications << w;
        kit::WindowCatalogue::instance().add(w->objectName(), w);
    }
}

} // namespace pratelia::app
