#include "bench/windowbench.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <stdexcept>

#include "core/platform.h"

namespace bidmark::bench {

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

LeagueSize leagueOf(long long freeAgents)
{
    LeagueSize size;
    size.teams = static_cast<int>(size.teams * freeAgents / size.freeAgents);
    size.rostered = static_cast<int>(size.rostered * freeAgents / size.freeAgents);
    size.freeAgents = static_cast<int>(freeAgents);
    return size;
}

QWidget* topLevel(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            return widget;
    }
    return nullptr;
}

DialogsAnswered::DialogsAnswered()
{
    qApp->installEventFilter(this);
}

bool DialogsAnswered::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && (qobject_cast<QMessageBox*>(watched) || qobject_cast<QInputDialog*>(watched)))
        QMetaObject::invokeMethod(
            this, [this, dialog = QPointer<QWidget>(static_cast<QWidget*>(watched))] { answer(dialog); },
            Qt::QueuedConnection);
    return false;
}

void DialogsAnswered::answer(QWidget* dialog)
{
    if (auto* prompt = qobject_cast<QInputDialog*>(dialog)) {
        if (!typed.isEmpty())
            prompt->setTextValue(std::exchange(typed, QString()));
        prompt->accept();
    } else if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        lastText = box->text();
        if (box->icon() == QMessageBox::Critical)
            failures << box->text();
        if (QAbstractButton* yes = box->button(QMessageBox::Yes))
            yes->click();
        else
            box->done(QMessageBox::Ok);
    }
}

void settle()
{
    QCoreApplication::sendPostedEvents(); // deferred deletes and layouts included
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double floorSeconds(const ActionFiles& files, const Path& recordsIn)
{
    const Path records = recordsIn / "floor records";
    const Clock::time_point start = Clock::now();
    std::size_t bytes = 0;
    for (const Path& path : files.inputs)
        bytes += platform::readFile(path).size();
    for (const auto& [path, content] : files.outputs)
        platform::writeFileAtomic(path, content);
    for (const auto& [path, content] : files.scratch)
        platform::writeFileAtomic(path, content, platform::Flush::left);
    for (const Path& path : files.deleted)
        platform::deleteFile(path);
    std::string_view made; // the folder the last record went to, made by then
    for (const auto& [name, content] : files.records) {
        const std::string_view folder = std::string_view(name).substr(0, name.rfind('/') + 1);
        if (made.data() == nullptr || folder != made)
            platform::makeFolder(records / folder);
        made = folder;
        if (platform::createNewFile(records / name, content, false, platform::Flush::left) != platform::NewFile::made)
            throw std::runtime_error("cannot write " + (records / name).shown());
    }
    benchmark::DoNotOptimize(bytes);
    const double seconds = since(start);
    if (!files.records.empty())
        std::filesystem::remove_all(records.bytes());
    return seconds;
}

double secondsUntilIdle(const std::function<void()>& work)
{
    const Clock::time_point start = Clock::now();
    work();
    settle();
    return since(start);
}

void reportRatio(benchmark::State& state, std::vector<double> action, std::vector<double> floor)
{
    const double floorMedian = median(floor);
    state.counters["action_ms"] = median(action) * 1000;
    state.counters["floor_ms"] = floorMedian * 1000;
    state.counters["floor_x"] = median(action) / floorMedian;
    state.counters["floor_x_min"] = *std::min_element(action.begin(), action.end()) / floorMedian;
    state.counters["floor_x_max"] = *std::max_element(action.begin(), action.end()) / floorMedian;
}

} // namespace bidmark::bench
