#pragma once
#include <string>
#include <string_view>

#include "core/path.h"

// The league folder's lock: the file .bidmark.lock, made anew (never through
// a link) by the program that changes the league files and removed when it is
// done, so that two programs (on one machine, or on two sharing the folder)
// never change the files at the same time. It tells who holds it: the
// program, its process, its machine, what it is doing and since when.
namespace bidmark {

inline constexpr std::string_view kLockFile = ".bidmark.lock";
// What a holder does that is no run.
inline constexpr std::string_view kChangingFiles = "changing the league files";

class LeagueLock {
public:
    // Takes the lock for `doing` ("running Merge Team Offers", the text
    // above, "waiting on a question").
    // Another program's lock is waited for briefly; when it stays held, the
    // constructor throws Failure naming its holder, what it is doing and
    // since when, and nothing is changed. A lock whose program is gone (same
    // machine), that is older than any run takes, or that is empty or
    // unreadable for a few seconds (a program killed while making it) is
    // taken over. A lock that is not a regular file, and a read-only league
    // folder, are refused at once, saying what to do. Where no file can be
    // made for another reason (the folder is gone) the change goes on without
    // a lock and its own writes say what is wrong.
    LeagueLock(const Path& leagueFolder, std::string_view doing);
    ~LeagueLock(); // removes the lock file, if it is still this lock's
    LeagueLock(const LeagueLock&) = delete;
    LeagueLock& operator=(const LeagueLock&) = delete;

private:
    Path path_;
    std::string written_; // empty: no lock could be made
};

} // namespace bidmark
