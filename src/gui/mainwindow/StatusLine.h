#pragma once

#include "core/images/DiskAudit.h"

#include <QObject>
#include <QString>

#include <functional>

class QLabel;
class QMainWindow;
class QProgressBar;
class QStatusBar;
class QWidget;

// Where the main window reports: the status and time texts under the list, and the status
// bar's three panels (the clicked row's disk, an audit's progress) with the progress bar.
class StatusLine : public QObject {
    Q_OBJECT
public:
    explicit StatusLine(QMainWindow* window);

    // The row of the two texts, for the window's layout.
    QWidget* textsRow() const { return m_textsRow; }

    void setStatus(const QString& text);
    void setTime(const QString& text);
    // Panels 1 to 3.
    void setPanel(int panel, const QString& text);
    QString panelText(int panel) const;
    void setPanelsTip(const QString& tip);

    // Runs an audit with the busy pointer, showing its progress over the third panel and in
    // the first two; the window is repainted now and then, but takes no input meanwhile.
    // Whatever the audit throws is thrown on, once the bar and the pointer are back.
    void trackAudit(const std::function<void(const AuditObserver&)>& audit);

Q_SIGNALS:
    // The pointer moved over the status bar.
    void hovered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_textsRow = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_time = nullptr;
    QStatusBar* m_bar = nullptr;
    QLabel* m_panels[3] = {};
    QProgressBar* m_progress = nullptr;
};
