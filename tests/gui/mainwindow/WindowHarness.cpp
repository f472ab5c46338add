#include "WindowHarness.h"

#include "gui/mainwindow/ResultListModel.h"
#include "core/settings/SettingsStore.h"

QString WindowHarness::catalogueSql() {
    return QStringLiteral(
        "INSERT INTO Dnames VALUES (1, 1, 'Auto', 'AUTO', '012', 'st'),"
        " (2, 0, 'Auto', 'AUTO', '120', 'st'), (3, 2, 'DBug', 'DB', NULL, 'msa');"
        "INSERT INTO Compilations VALUES (1, 'Automation 12', 'Dragon Ninja', 0, 1),"
        " (2, 'Automation 12', 'alpha Wave', 0, 1), (3, 'Automation 120', 'Zork', -1, 2),"
        " (4, 'D-Bug 3', 'Beta Blast', 0, 3), (5, 'D-Bug 3', 'Alpha Centauri', 0, 3);");
}

WindowHarness::WindowHarness(const QString& settings, const QString& sql) {
    folder.createCatalogue(sql);
    if (!settings.isNull())
        folder.writeSettings(settings);
    ProgramFolder programFolder;
    programFolder.path = folder.path();
    window =
        std::make_unique<Form1>(programFolder, Form1::Services{catalogue, prompts, clock, shell});
    window->Form_Load();
}

WindowHarness::~WindowHarness() = default;

QString WindowHarness::setting(const char* section, const char* key) const {
    return readini(QLatin1String(section), QLatin1String(key), QString(), folder.settingsPath());
}

QStringList WindowHarness::headers() const {
    return window->resultList()->captions();
}

QStringList WindowHarness::column(int index) const {
    QStringList texts;
    const ResultListModel* list = window->resultList();
    for (int row = 0; row < list->rowCount(); ++row)
        texts << list->index(row, index).data().toString();
    return texts;
}

void WindowHarness::listAll() {
    window->listStatement(QStringLiteral("SELECT * FROM Compilations,Dnames WHERE "
                                         "Compilations.F_ID = Dnames.F_ID"),
                          QStringLiteral("  no results "));
}
