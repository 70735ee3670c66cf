#pragma once
#include <memory>
#include <QSettings>

#include "app/program.h"
#include "core/platform.h"
#include "tests/support/league.h"
#include "tests/support/tempdir.h"

namespace bidmark::test {

// The whole program on a fresh league folder: the eleven-line fa.txt and the
// teams TOR, NY and DAL, unless the test writes others before start(). What
// the program remembers (its recent league folders) starts empty.
class Program {
public:
    Program()
    {
        QSettings().clear();
        league_.writeLines("fa.txt", elevenLines());
        league_.writeLines("teams.txt", {"TOR", "NY", "DAL"});
    }
    TempDir& league() { return league_; }
    // Every window wired on the folder, the main window shown and started,
    // after the start-up main makes.
    void start()
    {
        platform::prepareProcess();
        program_ = std::make_unique<bidmark::Program>(league_.path());
        program_->start();
    }

private:
    TempDir league_;
    std::unique_ptr<bidmark::Program> program_; // closed before the folder goes
};

} // namespace bidmark::test
