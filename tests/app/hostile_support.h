#pragma once
// A main window over a throw-away program folder, with every box it shows recorded.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "app/frmmain.h"
#include "cards/random.h"
#include "table/surface.h"

namespace dm::hostile {

class MapStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& key) override
    {
        const auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    void write(const std::string& key, const std::string& value) override { values[key] = value; }
    std::map<std::string, std::string> values;
};

// The program folder is a temporary one; programDir can be pointed elsewhere before start().
struct Table {
    QTemporaryDir tmp;
    QString programDir = tmp.path();
    MapStore mapStore;
    SettingsStore* store = &mapStore;
    SeededRng rng{7};
    QStringList messages;
    std::unique_ptr<frmMain> w;

    Table()
    {
        // A measured animation speed keeps the start-up from timing anything.
        mapStore.values["prfAnimationDelay"] = "10";
        mapStore.values["prfAnimation"] = "False";
    }

    void put(const QString& relative, const QByteArray& bytes) const
    {
        const QString path = programDir + "/" + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

    void picture(const QString& relative, QColor colour, QSize size = {80, 60}) const
    {
        QDir().mkpath(QFileInfo(programDir + "/" + relative).path());
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        img.save(programDir + "/" + relative);
    }

    frmMain& start()
    {
        AppContext ctx;
        ctx.programDir = programDir;
        ctx.store = store;
        ctx.rng = &rng;
        ctx.timeScale = 0;
        ctx.dialogs.message = [this](const QString& text, const QString&) { messages << text; };
        ctx.dialogs.askYesNo = [](const QString&, const QString&) { return false; };
        ctx.dialogs.inputBox = [](const std::string&, const std::string&, const std::string&) { return "Tester"; };
        w = std::make_unique<frmMain>(ctx);
        w->Form_Load();
        return *w;
    }

    TableSurface* surface() const { return w->findChild<TableSurface*>(); }
};

}  // namespace dm::hostile
