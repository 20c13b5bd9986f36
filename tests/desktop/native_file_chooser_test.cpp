// The desktop's file chooser as the program asks for it, read back from GTK without showing
// it: what a portal or GTK's own dialog is handed.
#include "desktop/gui/native_file_chooser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvane {
namespace {

bool Shows(GtkFileFilter* filter, const char* name) {
    GtkFileFilterInfo info{};
    info.contains = GTK_FILE_FILTER_DISPLAY_NAME;
    info.display_name = name;
    return gtk_file_filter_filter(filter, &info);
}

std::vector<GtkFileFilter*> FiltersOf(GtkFileChooserNative* native) {
    std::vector<GtkFileFilter*> filters;
    GSList* list = gtk_file_chooser_list_filters(GTK_FILE_CHOOSER(native));
    for (GSList* each = list; each != nullptr; each = each->next) {
        filters.push_back(GTK_FILE_FILTER(each->data));
    }
    g_slist_free(list);
    return filters;
}

const FileChoice kSaveSource{FileChoiceKind::SaveFile,
                             "Save Source",
                             "/tmp",
                             "page.mhtml",
                             {{"Page as served", {"*"}}, {"Whole page", {"*.mhtml", "*.MHT"}}},
                             1};

TEST(NativeFileChooser, HandsTheDesktopTheFiltersWithTheirNamesAndPatterns) {
    const NativeChooser native = MakeNativeChooser(kSaveSource, nullptr);
    const std::vector<GtkFileFilter*> filters = FiltersOf(native.get());
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_STREQ(gtk_file_filter_get_name(filters[0]), "Page as served");
    EXPECT_STREQ(gtk_file_filter_get_name(filters[1]), "Whole page");
    struct Row {
        std::size_t filter;
        const char* name;
        bool shown;
    };
    for (const Row& row :
         {Row{0, "page.html", true}, Row{0, "page", true}, Row{1, "page.mhtml", true},
          Row{1, "PAGE.MHT", true}, Row{1, "page.html", false}, Row{1, "page.mhtml.txt", false}}) {
        EXPECT_EQ(Shows(filters[row.filter], row.name), row.shown) << row.filter << row.name;
    }
}

TEST(NativeFileChooser, StartsWithTheFilterChosenAndReportsTheOneTheUserChose) {
    for (std::size_t shown : {0u, 1u}) {
        FileChoice choice = kSaveSource;
        choice.filterShown = shown;
        const NativeChooser native = MakeNativeChooser(choice, nullptr);
        EXPECT_EQ(ChosenFilterOf(native.get()), shown);
        gtk_file_chooser_set_filter(GTK_FILE_CHOOSER(native.get()),
                                    FiltersOf(native.get())[1 - shown]);
        EXPECT_EQ(ChosenFilterOf(native.get()), 1 - shown);
    }
}

TEST(NativeFileChooser, ASaveProposesTheNameAndNeverAsksToReplaceAFile) {
    const NativeChooser native = MakeNativeChooser(kSaveSource, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(native.get());
    EXPECT_EQ(gtk_file_chooser_get_action(chooser), GTK_FILE_CHOOSER_ACTION_SAVE);
    gchar* name = gtk_file_chooser_get_current_name(chooser);
    EXPECT_STREQ(name, "page.mhtml");
    g_free(name);
    EXPECT_FALSE(gtk_file_chooser_get_do_overwrite_confirmation(chooser));
    EXPECT_STREQ(gtk_native_dialog_get_title(GTK_NATIVE_DIALOG(native.get())), "Save Source");
    EXPECT_TRUE(gtk_native_dialog_get_modal(GTK_NATIVE_DIALOG(native.get())));
}

TEST(NativeFileChooser, EachKindOfChoiceIsTheChoosersAction) {
    struct Row {
        FileChoiceKind kind;
        GtkFileChooserAction action;
    };
    for (const Row& row : {Row{FileChoiceKind::OpenFile, GTK_FILE_CHOOSER_ACTION_OPEN},
                           Row{FileChoiceKind::SaveFile, GTK_FILE_CHOOSER_ACTION_SAVE},
                           Row{FileChoiceKind::Folder, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER}}) {
        const NativeChooser native =
            MakeNativeChooser({row.kind, "Choose", "", "", {}, 0}, nullptr);
        EXPECT_EQ(gtk_file_chooser_get_action(GTK_FILE_CHOOSER(native.get())), row.action);
        EXPECT_TRUE(FiltersOf(native.get()).empty());
    }
}

}  // namespace
}  // namespace quorvane
