#include "desktop/gui/screen_reader_notice.h"

#include <atk/atk.h>

#include "desktop/gui/accessible_names.h"

namespace quorvane {
namespace {

// A part of the notice: the notice itself, whose one child is its text, or that text.
// Both say they are showing, as the screen reader reads only what is.
struct NoticePart {
    AtkObject parent;
    // The text of a notice, none for the text itself. The text holds its parent, so the
    // notice only points to it, until it goes.
    AtkObject* child;
};

struct NoticePartClass {
    AtkObjectClass parentClass;
};

G_DEFINE_TYPE(NoticePart, notice_part, ATK_TYPE_OBJECT)

NoticePart* PartOf(gpointer object) {
    return G_TYPE_CHECK_INSTANCE_CAST(object, notice_part_get_type(), NoticePart);
}

gint ChildCount(AtkObject* object) {
    return PartOf(object)->child != nullptr ? 1 : 0;
}

AtkObject* RefChild(AtkObject* object, gint index) {
    AtkObject* child = PartOf(object)->child;
    return index == 0 && child != nullptr ? ATK_OBJECT(g_object_ref(child)) : nullptr;
}

AtkStateSet* RefStateSet(AtkObject* object) {
    AtkStateSet* states = ATK_OBJECT_CLASS(notice_part_parent_class)->ref_state_set(object);
    atk_state_set_add_state(states, ATK_STATE_VISIBLE);
    atk_state_set_add_state(states, ATK_STATE_SHOWING);
    return states;
}

void Finalize(GObject* object) {
    g_clear_weak_pointer(&PartOf(object)->child);
    G_OBJECT_CLASS(notice_part_parent_class)->finalize(object);
}

void notice_part_class_init(NoticePartClass* partClass) {
    AtkObjectClass* objectClass = ATK_OBJECT_CLASS(partClass);
    objectClass->get_n_children = ChildCount;
    objectClass->ref_child = RefChild;
    objectClass->ref_state_set = RefStateSet;
    G_OBJECT_CLASS(partClass)->finalize = Finalize;
}

void notice_part_init(NoticePart* part) {
    part->child = nullptr;
}

AtkObject* NewPart(AtkRole role, AtkObject* parent) {
    auto* part = ATK_OBJECT(g_object_new(notice_part_get_type(), nullptr));
    atk_object_set_role(part, role);
    atk_object_set_parent(part, parent);
    return part;
}

}  // namespace

// The text is a label of the notice, which has no name of its own: the screen reader of
// Debian 12 says a notice's role and the labels inside it whose text is not the notice's
// name; later ones say its name or those labels.
ScreenReaderNotice::ScreenReaderNotice(wxWindow& owner)
    : notice_(NewPart(ATK_ROLE_NOTIFICATION, AccessibleOf(owner))),
      text_(NewPart(ATK_ROLE_LABEL, notice_)) {
    g_set_weak_pointer(&PartOf(notice_)->child, text_);
}

ScreenReaderNotice::~ScreenReaderNotice() {
    g_object_unref(text_);
    g_object_unref(notice_);
}

void ScreenReaderNotice::Say(const wxString& text) {
    if (text.empty()) {
        return;
    }
    atk_object_set_name(text_, text.utf8_str());
    atk_object_notify_state_change(notice_, ATK_STATE_SHOWING, TRUE);
}

}  // namespace quorvane
