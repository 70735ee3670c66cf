#include "gui/leaguerun.h"

#include <QFile>
#include <QLockFile>

#include "core/failure.h"
#include "core/filenames.h"
#include "core/journal.h"
#include "core/linefile.h"
#include "gui/messages.h"
#include "gui/text.h"

namespace bidmark::gui {

namespace {

constexpr std::string_view kLockFile = ".bidmark.lock";
constexpr int kWaitMs = 1500;            // for a run of another program to end
constexpr int kStaleMs = 10 * 60 * 1000; // no run takes this long

std::string holderOf(const QLockFile& lock)
{
    qint64 pid = 0;
    QString host, program;
    if (!lock.getLockInfo(&pid, &host, &program))
        return "another program";
    return (program.isEmpty() ? std::string("another program") : shownPath(program.toStdString())) + " (process "
        + std::to_string(pid) + (host.isEmpty() ? std::string() : " on " + shownPath(host.toStdString())) + ")";
}

} // namespace

LeagueLock::LeagueLock(const std::string& leagueFolder)
{
    const std::string path = pathIn(leagueFolder, kLockFile);
    lock_ = std::make_unique<QLockFile>(QFile::decodeName(QByteArray::fromStdString(path)));
    lock_->setStaleLockTime(kStaleMs);
    {
        BusyCursor busy;
        if (lock_->tryLock(kWaitMs))
            return;
    }
    if (lock_->error() == QLockFile::LockFailedError)
        throw Failure("The league folder is in use: " + holderOf(*lock_)
                      + " is changing its files. Nothing was changed; try again once it has finished. (Lock file: "
                      + shownPath(path) + ")");
    lock_.reset(); // no lock can be made here: the change's own writes will fail and say why
}

LeagueLock::~LeagueLock() = default; // QLockFile unlocks and removes the file

void leagueChange(QWidget* parent, const Session& session, const std::function<void()>& work)
{
    const LeagueLock lock(session.leagueFolder);
    if (const std::optional<std::string> run = recoverInterruptedRun(session.leagueFolder))
        showMessage(parent, toQt(interruptedRunMessage(*run)));
    work();
}

void recoverLeague(QWidget* parent, const Session& session)
{
    leagueChange(parent, session, [] {});
}

void leagueRun(QWidget* parent, const Session& session, std::string_view runName,
               const std::function<std::vector<std::string>()>& files,
               const std::function<void(const std::string& runFolder)>& work)
{
    leagueChange(parent, session, [&] { runJournalled(session.leagueFolder, runName, files(), work); });
}

} // namespace bidmark::gui
