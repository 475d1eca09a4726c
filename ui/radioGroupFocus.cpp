#include "ui/radioGroupFocus.h"

#include <QAbstractButton>
#include <QButtonGroup>

namespace qm {

namespace {

// Only the checked button takes Tab focus; the others are reached with the arrow keys (which
// check them, since the focused button is checked) or the mouse. A group with nothing checked
// keeps every button reachable.
void updateTabStops(const QButtonGroup* group) {
    const QAbstractButton* checked = group->checkedButton();
    for (QAbstractButton* button : group->buttons()) {
        const bool stop = checked == nullptr || button == checked;
        button->setFocusPolicy(stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

}  // namespace

void makeOneTabStop(QButtonGroup* group) {
    updateTabStops(group);
    QObject::connect(group, &QButtonGroup::buttonToggled, group,
                     [group](QAbstractButton*, bool) { updateTabStops(group); });
}

void focusCheckedButton(const QButtonGroup* group) {
    if (QAbstractButton* checked = group->checkedButton()) {
        checked->setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace qm
