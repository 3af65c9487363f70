#include "startup.h"

#include "app/kit/windows.h"
#include "avvio.h"
#include "flow.h"
#include "password.h"

#include <QTimer>

// The application windows this build contains.
#if __has_include("clients/anagrafica.h")
#include "clients/anagrafica.h"
#define PRATELIA_HAS_CLIENTS 1
#endif
#if __has_include("fees/tariffario.h")
#include "fees/tariffario.h"
#define PRATELIA_HAS_FEES 1
#endif

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

void Program::createApplications()
{
    if (m_created)
        return;
    m_created = true;
    auto add = [this](QWidget *w) {
        w->hide();
        m_applications << w;
        kit::WindowCatalogue::instance().add(w->objectName(), w);
    };
#ifdef PRATELIA_HAS_CLIENTS
    add(new clients::TfrmAnagrafica());
#endif
#ifdef PRATELIA_HAS_FEES
    add(new fees::TfrmTariffario());
#endif
    Q_UNUSED(add);
}

} // namespace pratelia::app
