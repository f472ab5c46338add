#include "gui/mainwindow/ListExport.h"

#include "core/browser/CatalogueBrowser.h"
#include "core/export/ExportFiles.h"
#include "core/export/ExportText.h"
#include "gui/mainwindow/MainWindowNames.h"
#include "gui/mainwindow/ResultList.h"
#include "gui/mainwindow/StatusLine.h"
#include "gui/mainwindow/Widgets.h"
#include "gui/platform/Prompts.h"

#include <QClipboard>
#include <QDateTime>
#include <QTextEdit>

ListExport::ListExport(QWidget* window, CatalogueBrowser& browser, Prompts& prompts,
                       const ResultList& list, StatusLine& status)
    : QObject(window), m_window(window), m_browser(browser), m_prompts(prompts), m_list(list),
      m_status(status), m_stagingBox(named<QTextEdit>(names::stagingBox, window)) {
    m_stagingBox->setAcceptRichText(false);
    m_stagingBox->hide();
}

void ListExport::save() {
    const QString path =
        m_prompts.saveFileName(m_window, kSaveDialogTitle, kSaveDialogFilter, QString());
    if (path.isEmpty())
        return;
    try {
        saveTextFile(path, listText(m_list.rows()));
    } catch (const FileError& error) {
        m_prompts.refuse(m_window, saveFailedText(path, error.message()));
        return;
    }
    m_status.setStatus(kSavedText);
}

void ListExport::stage(const QString& text) {
    m_stagingBox->setPlainText(text);
    QGuiApplication::clipboard()->setText(text);
}

void ListExport::paste() {
    QGuiApplication::clipboard()->clear();
    stage(m_browser.paste(m_list.rows()));
    m_status.setStatus(kPastedText);
}

void ListExport::stampReport(bool byName, const SearchCriteria& criteria) {
    stage(m_browser.stampReport(byName, criteria, m_list.rowCount(), QDateTime::currentDateTime()));
    m_status.setStatus(kReportedText);
}
