#include "platform/menu.h"

#include <algorithm>
#include <utility>

#include <QAction>
#include <QMenu>

#include "platform/dispatch.h"
#include "platform/errors.h"
#include "platform/form.h"
#include "platform/internal.h"

namespace platform {

using detail::qs;

MenuItem::MenuItem(Form& form, const std::string& caption) : form_(&form), parent_(nullptr), caption_(caption) {
    menu_ = new QMenu(form.window());
    action_ = menu_->menuAction();
    context_ = std::make_unique<detail::EventHook>();
    applyCaption();
    form.addMenu(this);
}

MenuItem::MenuItem(MenuItem& parent, const std::string& caption)
    : form_(parent.form_), parent_(&parent), caption_(caption) {
    QMenu* holder = parent.menu();
    action_ = new QAction(holder);
    holder->addAction(action_);
    context_ = std::make_unique<detail::EventHook>();
    QObject::connect(action_, &QAction::triggered, context_.get(), [this] { userClick(); });
    parent.children_.push_back(this);
    applyCaption();
}

MenuItem::~MenuItem() {
    context_.reset();
    if (parent_) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    } else {
        form_->removeMenu(this);
    }
}

QMenu* MenuItem::menu() {
    if (!menu_) {
        // An item becomes a submenu once it has items of its own.
        menu_ = new QMenu(form_->window());
        action_->setMenu(menu_);
        menu_->setTitle(qs(caption_));
    }
    return menu_;
}

void MenuItem::applyCaption() {
    action_->setSeparator(isSeparator());
    // Some styles draw a separator's text as a section heading: a separator is a line only.
    action_->setText(isSeparator() ? QString() : qs(caption_));
    if (menu_) menu_->setTitle(qs(caption_));
}

void MenuItem::setCaption(const std::string& text) {
    caption_ = text;
    applyCaption();
}

void MenuItem::setChecked(bool on) {
    checked_ = on;
    // Checkable only while checked, so an unchecked item shows no empty box.
    action_->setCheckable(on);
    action_->setChecked(on);
}

void MenuItem::setEnabled(bool on) {
    enabled_ = on;
    action_->setEnabled(on);
}

void MenuItem::setVisible(bool on) {
    visible_ = on;
    action_->setVisible(on);
    if (isTopLevel()) form_->menusChanged();
}

void MenuItem::userClick() {
    // Qt toggles a checkable action on its own; the check mark belongs to the handler.
    setChecked(checked_);
    if (!enabled_ || isSeparator()) return;
    dispatchEvent(Click);
}

MenuArray::MenuArray(MenuItem& parent, int count) {
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<MenuItem>(parent, std::string());
        item->setIndex(i);
        item->Click = [this, i] {
            if (Click) Click(i);
        };
        items_.push_back(std::move(item));
    }
}

MenuItem& MenuArray::operator()(int index) const {
    if (index < 0 || index >= count()) raiseError(errSubscript);
    return *items_[static_cast<size_t>(index)];
}

}  // namespace platform
