// The main window's exports: save the list to a file, paste it or a report to the clipboard.
#include "gui/mainwindow/Form1.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/export/ExportFiles.h"
#include "core/export/ExportText.h"
#include "core/export/SearchReport.h"
#include "gui/platform/Prompts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTextDocument>
#include <QTextEdit>

namespace {

std::vector<ListedRow> shownRows(const ResultListModel& list) {
    std::vector<ListedRow> rows;
    rows.reserve(size_t(list.rowCount()));
    for (int i = 0; i < list.rowCount(); ++i)
        rows.push_back(list.row(i));
    return rows;
}

// The text box keeps each line as a paragraph; its raw text gives every character back, with
// a paragraph separator where a CR LF was.
QString stagedText(const QTextEdit& buffer) {
    return buffer.document()->toRawText().replace(QChar::ParagraphSeparator, kLineEnd);
}

void putOnClipboard(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

} // namespace

void Form1::savelist() {
    const QString path =
        m_services.prompts.saveFileName(this, kSaveDialogTitle, kSaveDialogFilter, QString());
    if (path.isEmpty())
        return;
    try {
        saveTextFile(path, listText(shownRows(*m_list)));
    } catch (const FileError& error) {
        m_services.prompts.refuse(this, saveFailedText(path, error.message()));
        return;
    }
    Label3->setText(kSavedText);
}

void Form1::pastelist() {
    QGuiApplication::clipboard()->clear();
    const QString text = listText(shownRows(*m_list));
    const QString scratch = m_folder.file(kScratchFileName);
    bool written = true;
    try {
        overwriteTextFile(scratch, text);
    } catch (const FileError&) {
        written = false;
    }
    // The list reaches the buffer through the scratch file, or directly when that cannot be
    // written (a read-only program folder). A failed read-back leaves the buffer as it was.
    try {
        RTB1->setPlainText(written ? readTextFile(scratch) : text);
    } catch (const FileError&) {
    }
    putOnClipboard(stagedText(*RTB1));
    Label3->setText(kPastedText);
}

void Form1::reportlist() {
    ReportFacts facts;
    facts.nameMode = Option2->isChecked();
    facts.criteria = currentCriteria();
    facts.searchtime = searchtime;
    facts.rowCount = m_list->rowCount();
    facts.compiledAt = QDateTime::currentDateTime();
    RTB1->setPlainText(stagedText(*RTB1) + reportBlock(facts));
    putOnClipboard(stagedText(*RTB1));
    Label3->setText(kReportedText);
}
