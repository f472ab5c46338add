#pragma once

#include "core/search/SearchCriteria.h"

#include <QObject>

class CatalogueBrowser;
class Prompts;
class QTextEdit;
class QWidget;
class ResultList;
class StatusLine;

// The result list as text: saved to a file, pasted to the clipboard, or with a report of the
// last search stamped below it. The text on its way to the clipboard is the browser's; the
// hidden staging box shows it.
class ListExport : public QObject {
    Q_OBJECT
public:
    ListExport(QWidget* window, CatalogueBrowser& browser, Prompts& prompts, const ResultList& list,
               StatusLine& status);

    void save();
    void paste();
    void stampReport(bool byName, const SearchCriteria& criteria);

private:
    void stage(const QString& text);

    QWidget* m_window;
    CatalogueBrowser& m_browser;
    Prompts& m_prompts;
    const ResultList& m_list;
    StatusLine& m_status;
    QTextEdit* m_stagingBox;
};
