// The main window's favourites: add, remove, clear and list them.
#include "gui/mainwindow/Form1.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/favourites/Favourites.h"
#include "core/browser/Clock.h"
#include "gui/platform/Prompts.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

void Form1::getfavourites() {
    m_list->clear();
    Frame3->hide();
    Text1->setText(kFavouritesMode);
    starttime = m_services.clock.tickCount();
    listStatement(favouritesStatement(currentCriteria().availability), kNoFavouritesText,
                  favouritesCountText);
}

// The pop-up actions address the selected row's entry; without a selected row they do
// nothing. A statement the catalogue refuses ends them silently, as the other pop-up items.

void Form1::mnufavadd_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    try {
        m_services.catalogue.execute(addFavouriteStatement(m_list->row(row).sub2));
    } catch (const CatalogueError&) {
    }
}

void Form1::mnufavrem_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    try {
        m_services.catalogue.execute(removeFavouriteStatement(m_list->row(row).sub2));
    } catch (const CatalogueError&) {
        return;
    }
    if (listMode() == kFavouritesMode) {
        std::vector<ListedRow> rows;
        rows.reserve(size_t(m_list->rowCount()));
        for (int i = 0; i < m_list->rowCount(); ++i)
            if (i != row)
                rows.push_back(m_list->row(i));
        m_list->setRows(std::move(rows));
    }
    const int count = m_list->rowCount();
    Frame1->setVisible(count == 0);
    Label3->setText(countAfterRemovalText(count));
}

void Form1::mnufavclear_Click() {
    if (selectedRow() < 0)
        return;
    if (m_services.prompts.message(this, kClearQuestion, kClearQuestionCaption,
                                   Prompts::Buttons::YesNo, Prompts::Icon::Question,
                                   Prompts::Answer::Yes) != Prompts::Answer::Yes)
        return;
    try {
        m_services.catalogue.execute(clearFavouritesStatement());
    } catch (const CatalogueError&) {
        return;
    }
    if (listMode() == kFavouritesMode)
        m_list->clear();
    m_services.prompts.message(this, kClearedMessage, kClearedCaption, Prompts::Buttons::Ok,
                               Prompts::Icon::Exclamation);
}
