#pragma once

#include <QList>
#include <QWidget>

class QAction;
class QToolButton;
class QVBoxLayout;

namespace kb::widgets {

// A navigation bar of groups, one open at a time: the headers of all groups (their titles
// made smaller until they fit) stack from the top, the open group's items fill the space below its
// header, and the headers of the later groups sit at the bottom. Each item shows an action (text,
// icon, hint, enabled state) and triggers it when clicked.
class NavigationBar : public QWidget {
    Q_OBJECT
public:
    explicit NavigationBar(QWidget *parent = nullptr);

    // Adds a group and returns its index; the first group added is the open one.
    int addGroup(const QString &title);
    // Adds an item showing `action` (which the caller owns) to `group`.
    QToolButton *addItem(int group, QAction *action);

    int groupCount() const { return int(m_groups.size()); }
    QString groupTitle(int group) const;
    QList<QAction *> items(int group) const;
    QToolButton *groupButton(int group) const;
    QToolButton *itemButton(int group, int item) const;

    int currentGroup() const { return m_current; }
    // Opens `group`; emits currentGroupChanged when another group opens.
    void setCurrentGroup(int group);

Q_SIGNALS:
    void currentGroupChanged(int group);

private:
    struct Group {
        QToolButton *header = nullptr;
        QWidget *page = nullptr;
        QVBoxLayout *pageLayout = nullptr;
        QList<QToolButton *> items;
    };
    void showCurrent();

    QVBoxLayout *m_layout = nullptr;
    QList<Group> m_groups;
    int m_current = -1;
};

} // namespace kb::widgets
