// Filling the result list from a statement, with the timing and count texts.
#include "app/Form1.h"

#include "app/ResultListModel.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueError.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "search/Listing.h"

#include <QFrame>
#include <QLabel>

void Form1::listStatement(const QString& statement, const QString& emptyText) {
    m_list->clear();
    std::vector<ListedRow> rows;
    try {
        rows = listedRows(m_services.catalogue.query(statement), m_list->captions());
    } catch (const CatalogueError& error) {
        m_services.prompts.refuse(this, error.message());
        return;
    }
    m_list->setRows(std::move(rows));
    applySort();

    endtime = m_services.clock.tickCount();
    searchtime = ticksBetween(starttime, endtime);
    Label14->setText(foundInText(searchtime));
    const int count = m_list->rowCount();
    Frame1->setVisible(count == 0);
    Label3->setText(count == 0 ? emptyText : resultCountText(count));
}
