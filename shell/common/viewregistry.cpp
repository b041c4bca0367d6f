#include "shell/common/viewregistry.h"

#include <QMetaObject>

ViewRegistry &ViewRegistry::Instance()
{
    static ViewRegistry registry;
    return registry;
}

int ViewRegistry::Register(QObject *view, const void *document, Receiver receiver)
{
    if (!view)
        return 0;
    int number = 0;
    {
        std::lock_guard lock(m_lock);
        number = ++m_next;
        m_views[number] = Entry{view, document, std::move(receiver)};
    }
    QObject::connect(view, &QObject::destroyed, [this, number] { Unregister(number); });
    return number;
}

void ViewRegistry::Unregister(int number)
{
    std::lock_guard lock(m_lock);
    m_views.erase(number);
}

const ViewRegistry::Entry *ViewRegistry::Find(int number) const
{
    const auto it = m_views.find(number);
    // The pointer turns null as soon as the view starts going away.
    return it != m_views.end() && it->second.view ? &it->second : nullptr;
}

int ViewRegistry::NumberOf(const void *document) const
{
    std::lock_guard lock(m_lock);
    for (const auto &[number, entry] : m_views)
        if (entry.document == document && entry.view)
            return number;
    return 0;
}

bool ViewRegistry::IsLive(int number) const
{
    std::lock_guard lock(m_lock);
    return Find(number) != nullptr;
}

bool ViewRegistry::Post(int number, int message, int a, int b)
{
    QPointer<QObject> view;
    {
        std::lock_guard lock(m_lock);
        const Entry *entry = Find(number);
        if (!entry || !entry->receiver)
            return false;
        view = entry->view;
    }
    // Delivered later on the view's thread, and only if the view still lives then.
    QMetaObject::invokeMethod(
        view.data(),
        [this, number, message, a, b] {
            Receiver receiver;
            {
                std::lock_guard lock(m_lock);
                if (const Entry *entry = Find(number))
                    receiver = entry->receiver;
            }
            if (receiver)
                receiver(message, a, b);
        },
        Qt::QueuedConnection);
    return true;
}
