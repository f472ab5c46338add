// Filling the result list from a statement, with the timing and count texts.
#include "gui/mainwindow/Form1.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/browser/Clock.h"
#include "gui/platform/Prompts.h"

#include <QFrame>
#include <QLabel>

bool Form1::fillList(const QString& statement, const std::function<bool(const ResultSet&)>& keep) {
    // A listing starts from an empty list; the old rows go before the new ones are read.
    m_list->clear();
    std::vector<ListedRow> rows;
    try {
        rows = listedRows(m_services.catalogue.query(statement), m_list->captions(), keep);
    } catch (const CatalogueError& error) {
        m_services.prompts.refuse(this, error.message());
        return false;
    }
    m_list->setRows(std::move(rows));
    applySort();
    return true;
}

bool Form1::listStatement(const QString& statement, const QString& emptyText,
                          const std::function<QString(qsizetype)>& countText) {
    if (!fillList(statement))
        return false;
    endtime = m_services.clock.tickCount();
    searchtime = ticksBetween(starttime, endtime);
    Label14->setText(foundInText(searchtime));
    const int count = m_list->rowCount();
    Frame1->setVisible(count == 0);
    Label3->setText(count == 0 ? emptyText : countText(count));
    return true;
}
