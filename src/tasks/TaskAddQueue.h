#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>

class TMainForm;

// The files that Add Dir and dropped items put on the task list, added a
// few at a time, one turn of the event loop after another: a folder of
// thousands of files fills the list row by row while the window keeps
// answering, and every command stays usable meanwhile. While a batch runs the queue waits, since no task may be
// added under a running batch, and it carries on once the window is idle.
class TaskAddQueue final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TaskAddQueue)

public:
    // The window's queue, made at its first use; it lives as long as the window.
    static TaskAddQueue& of(TMainForm& form);

    // Queues files behind those already waiting.
    void append(const QStringList& files);
    qsizetype pending() const { return qsizetype(m_files.size()); }
    // Drops the files still waiting: Clear empties the list for good.
    void clear() { m_files.clear(); }

signals:
    // The last waiting file has been added.
    void drained();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TaskAddQueue(TMainForm& form);
    void resume();
    void addNext();

    TMainForm& m_form;
    std::deque<QString> m_files;
    QTimer m_turn;
};
