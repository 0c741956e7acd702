#include "tasks/TaskAddQueue.h"

#include "app/TMainForm.h"
#include "conversion/BatchDriver.h"
#include "tasks/TaskAdding.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTreeWidget>

namespace {

// How long one turn of the event loop may go on adding files.
constexpr qint64 TurnMs = 20;

} // namespace

TaskAddQueue& TaskAddQueue::of(TMainForm& form)
{
    if (auto* queue = form.findChild<TaskAddQueue*>(QString(), Qt::FindDirectChildrenOnly))
        return *queue;
    return *new TaskAddQueue(form);
}

TaskAddQueue::TaskAddQueue(TMainForm& form) : QObject(&form), m_form(form)
{
    m_turn.setSingleShot(true);
    m_turn.setInterval(0);
    connect(&m_turn, &QTimer::timeout, this, &TaskAddQueue::addNext);
    // The busy state of a batch disables the list and the idle state
    // enables it again: the moment to carry on.
    form.ltvTask->installEventFilter(this);
}

void TaskAddQueue::append(const QStringList& files)
{
    m_files.insert(m_files.end(), files.cbegin(), files.cend());
    resume();
}

void TaskAddQueue::resume()
{
    if (!m_files.empty() && !m_form.Driver->IsBusy())
        m_turn.start();
}

void TaskAddQueue::addNext()
{
    if (m_files.empty() || m_form.Driver->IsBusy())
        return;
    // Files whose encoder answers at once are added a few per turn: painting
    // the window after each of them would take longer than adding it. A
    // slow probe still has a turn to itself.
    QElapsedTimer turn;
    turn.start();
    do {
        const QString file = std::move(m_files.front());
        m_files.pop_front();
        AddTaskFile(m_form, file);
    } while (!m_files.empty() && turn.elapsed() < TurnMs);
    m_form.SetListCommandsEnabled(true);
    if (m_files.empty())
        emit drained();
    else
        m_turn.start();
}

bool TaskAddQueue::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        resume();
    return QObject::eventFilter(watched, event);
}
