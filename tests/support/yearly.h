#pragma once
// A yearly application as its window tests meet it: a temporary program
// folder, the test platform, a stand-in main menu, the card and its year
// menu, entered in the window catalogue under their class names as
// start-up does. A test class inherits it after QObject and calls
// setUpWindows() from init() and tearDownWindows() from cleanup().
#include "support/tempfolder.h"

#include "kit/windows.h"
#include "platform/testing.h"

#include <QDate>
#include <memory>

namespace pratelia::testing {

template <typename Card, typename Menu>
struct YearlyWindows {
    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<TestPlatform> platform;
    std::unique_ptr<kit::FullScreenWindow> mainMenu;
    std::unique_ptr<Card> card;
    std::unique_ptr<Menu> menu;

    // `today`, when given, is the date the windows see from their creation.
    void setUpWindows(const QDate &today = {})
    {
        folder = std::make_unique<TempProgramFolder>();
        platform = std::make_unique<TestPlatform>();
        if (today.isValid())
            platform->clock.setToday(today);
        platform->printing.outputFolder = folder->path();
        mainMenu = std::make_unique<kit::FullScreenWindow>("TfrmAvvio", " Pratelia");
        card = std::make_unique<Card>();
        menu = std::make_unique<Menu>();
        kit::WindowCatalogue::instance().add(QStringLiteral("TfrmAvvio"), mainMenu.get());
        kit::WindowCatalogue::instance().add(card->objectName(), card.get());
        kit::WindowCatalogue::instance().add(menu->objectName(), menu.get());
    }

    // The windows go before the platform and the folder they use.
    void tearDownWindows()
    {
        kit::WindowCatalogue::instance().clear();
        menu.reset();
        card.reset();
        mainMenu.reset();
        platform.reset();
        folder.reset();
    }
};

} // namespace pratelia::testing
