// The main window's searches: the Search button, the name and alphanumeric searches, the
// group box and the duplicate-disk compression.
#include "gui/mainwindow/Form1.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/catalogue/Catalogue.h"
#include "core/Failures.h"
#include "core/browser/Clock.h"
#include "gui/platform/Prompts.h"
#include "core/search/AlphaSearch.h"
#include "core/search/GroupBrowse.h"
#include "core/search/NameSearch.h"
#include "core/search/SearchHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

SearchCriteria Form1::currentCriteria() const {
    SearchCriteria criteria;
    criteria.searchText = Combo8->currentText();
    criteria.operatorText = Combo9->currentText();
    criteria.letterText = Combo3->currentText();
    criteria.groupText = Combo6->currentText();
    criteria.diskText = Combo1->currentText();
    criteria.availability = {Check2->isChecked(), Check3->isChecked(), Check4->isChecked()};
    criteria.sortCaption = m_list->captions().value(m_sort.column);
    criteria.descending = m_sort.direction == ListSort::Descending;
    return criteria;
}

void Form1::OKButton_Click() {
    m_selected = 0;
    starttime = m_services.clock.tickCount();
    Text1->setText(QString());
    Frame3->hide();
    const SearchCriteria criteria = currentCriteria();
    try {
        if (Option2->isChecked()) {
            checkNameSearchAllowed(criteria);
            textsearch();
        } else {
            checkAlphaSearchAllowed(criteria);
            alphasearch();
        }
    } catch (const Refusal& refusal) {
        m_services.prompts.refuse(this, refusal);
    }
}

void Form1::textsearch() {
    const NameSearch search = buildNameSearch(currentCriteria());
    m_list->clear();
    Combo8->setEditText(search.searchedText);
    if (!listStatement(search.statement, QStringLiteral("  no results ")))
        return;
    if (search.searchedText.isEmpty())
        return;
    QStringList shown;
    for (int row = 0; row < Combo8->count(); ++row)
        shown << Combo8->itemText(row);
    const QStringList history = recordSearch(search.searchedText, shown, m_settingsPath);
    Combo8->clear();
    Combo8->addItems(history);
    if (Combo8->count() > 0)
        Combo8->setCurrentIndex(0);
}

void Form1::alphasearch() {
    const QString statement = buildAlphaSearch(currentCriteria());
    m_list->clear();
    listStatement(statement, QStringLiteral("  no results"));
}

void Form1::Combo6_Click() {
    if (Combo6->currentText() == QLatin1String("ALL")) {
        Combo1->setEnabled(false);
        paintBackground(Combo1, QPalette::Window);
        if (Combo1->count() > 0)
            Combo1->setCurrentIndex(0);
        return;
    }
    Combo1->setEnabled(true);
    paintBackground(Combo1, QPalette::Base);
    Combo1->clear();
    QStringList entries{QStringLiteral("All")};
    try {
        entries =
            diskBoxEntries(m_services.catalogue.query(groupBrowseStatement(Combo6->currentText())));
    } catch (const CatalogueError& error) {
        m_services.prompts.refuse(this, error.message());
    }
    Combo1->addItems(entries);
    if (Combo1->count() > 0)
        Combo1->setCurrentIndex(0);
}

void Form1::compressor() {
    const SearchCriteria criteria = currentCriteria();
    if (criteria.groupText == QLatin1String("ALL"))
        return;
    m_list->clear();
    if (fillList(compressorStatement(criteria), FirstOfEachDisk()))
        Label3->setText(resultCountText(m_list->rowCount()));
}
