#include "WindowHarness.h"

#include "core/settings/SettingsStore.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

QString WindowHarness::catalogueSql() {
    return QStringLiteral(
        "INSERT INTO Dnames VALUES (1, 1, 'Auto', 'AUTO', '012', 'st'),"
        " (2, 0, 'Auto', 'AUTO', '120', 'st'), (3, 2, 'DBug', 'DB', NULL, 'msa');"
        "INSERT INTO Compilations VALUES (1, 'Automation 12', 'Dragon Ninja', 0, 1),"
        " (2, 'Automation 12', 'alpha Wave', 0, 1), (3, 'Automation 120', 'Zork', -1, 2),"
        " (4, 'D-Bug 3', 'Beta Blast', 0, 3), (5, 'D-Bug 3', 'Alpha Centauri', 0, 3);");
}

QString WindowHarness::settingsWith(std::initializer_list<std::array<const char*, 3>> changes) {
    TestFolder scratch;
    scratch.writeSettings(TestFolder::defaultSettings());
    for (const auto& [section, key, value] : changes)
        writeini(QLatin1String(section), QLatin1String(key), QString::fromUtf8(value),
                 scratch.settingsPath());
    return scratch.readFile(QStringLiteral("Rummage.ini"));
}

WindowHarness::WindowHarness(const QString& settings, const QString& sql) {
    folder.createCatalogue(sql);
    if (!settings.isNull())
        folder.writeSettings(settings);
    ProgramFolder programFolder;
    programFolder.path = folder.path();
    window = std::make_unique<MainWindow>(programFolder,
                                          MainWindow::Services{catalogue, prompts, clock, shell});
    window->load();
    window->show(); // offscreen; rows can only be clicked where they are laid out
}

WindowHarness::~WindowHarness() = default;

bool WindowHarness::shown(const char* widget) const {
    return find<QWidget>(widget)->isVisibleTo(window.get());
}

QString WindowHarness::setting(const char* section, const char* key) const {
    return readini(QLatin1String(section), QLatin1String(key), QString(), folder.settingsPath());
}

QStringList WindowHarness::headers() const {
    const QAbstractItemModel* model = find<QTreeView>("ListView1")->model();
    QStringList captions;
    for (int c = 0; c < model->columnCount(); ++c)
        captions << model->headerData(c, Qt::Horizontal).toString();
    return captions;
}

QStringList WindowHarness::column(int index) const {
    const QAbstractItemModel* model = find<QTreeView>("ListView1")->model();
    QStringList texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts << model->index(row, index).data().toString();
    return texts;
}

int WindowHarness::rows() const {
    return find<QTreeView>("ListView1")->model()->rowCount();
}

void WindowHarness::search(const QString& text, const QString& group) {
    find<QComboBox>("Combo6")->setCurrentText(group);
    find<QComboBox>("Combo8")->setEditText(text);
    find<QPushButton>("OKButton")->click();
}

void WindowHarness::clickRow(const QString& nummer) {
    const int row = int(column(2).indexOf(nummer));
    QVERIFY2(row >= 0, qPrintable(nummer));
    auto* list = find<QTreeView>("ListView1");
    const QRect cell = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

QString WindowHarness::withDialog(const std::function<void()>& action,
                                  const std::function<void(QWidget*)>& inside) {
    QString opened;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        opened = dialog->objectName();
        if (inside)
            inside(dialog);
        if (QApplication::activeModalWidget() == dialog)
            dialog->close();
    });
    action();
    // When nothing opened, the check runs now and finds nothing, rather than later.
    QCoreApplication::processEvents();
    return opened;
}
