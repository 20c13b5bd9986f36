#!/usr/bin/env python3
"""The finder of unmarked texts on sources made for it: it must flag each text a person
would read that is not marked, and nothing else."""
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent))
import unmarked_texts  # noqa: E402

# (source, the texts it must flag)
ROWS = [
    ('new wxButton(this, wxID_ANY, "Refresh List");', ["Refresh List"]),
    ('new wxButton(this, wxID_ANY, _("Refresh List"));', []),
    ('SetStatusText("Could not save " + name + ": " + why);', ["Could not save "]),
    ('return Translated("Not found");', []),
    ('{CommandId::Find, Translatable("&Find\\u2026"), "Ctrl+F"},', []),
    ('{CommandId::Find, "&Find\\u2026", "Ctrl+F"},', ["&Find\\u2026"]),
    ('return "Previous";', ["Previous"]),
    ('Fail("the address cannot be fetched");', ["the address cannot be fetched"]),
    ('text = "The two texts are too large "\n       "to compare";',
     ["The two texts are too large to compare"]),
    ('text = _("The two texts are too large "\n         "to compare");', []),
    # Texts the program keeps in English, and those of one file that no person reads.
    ('AddPictureButton(CommandId::UpDir, "Up Dir", "Go back 1 directory level");', []),
    ('menu.Append(id, "&Source Code");', []),
    ('{"Default Visible", "Yes"},', []),
    # Code, comments and includes are no texts.
    ('// Shows "Match case" beside the box', []),
    ('/* "Whole word" */ int x;', []),
    ('#include "main_window/gui/find_bar.h"', []),
    ('page += "<p class=\\"note\\">Too large</p>";', ['<p class=\\"note\\">Too large</p>']),
    ('page += "<p class=\\"note\\"></p>";', []),
    ('style = "body { font: 11pt sans-serif; }";', []),
    ('Run(R"(function shown() { return "Not shown"; })");', []),
    ('Load("https://tarnwick.example/Some Page");', []),
    ('Bind("Ctrl+O", "F5", "x", "id", "utf-8", "%s");', []),
    ("char quote = '\"'; Show(\"Saved page\");", ["Saved page"]),
]

KEPT = """# kept
Up Dir
Go back 1 directory level
Source Code
main_window/sample.cpp: Default Visible
main_window/sample.cpp: Yes
"""


class UnmarkedTexts(unittest.TestCase):
    def test_flags_each_unmarked_text_and_nothing_else(self):
        with tempfile.TemporaryDirectory() as folder:
            checkout = Path(folder)
            for name in unmarked_texts.FOLDERS:
                (checkout / name).mkdir()
            kept_file = checkout / "kept.txt"
            kept_file.write_text(KEPT, encoding="utf-8")
            kept = unmarked_texts.kept_texts(kept_file)
            for source, flagged in ROWS:
                (checkout / "main_window" / "sample.cpp").write_text(source, encoding="utf-8")
                found = unmarked_texts.unmarked(checkout, kept)
                said = [line.split(': "', 1)[1].rsplit('" is not', 1)[0] for line in found]
                self.assertEqual(said, flagged, source)

    def test_a_text_kept_for_one_file_is_flagged_in_another(self):
        with tempfile.TemporaryDirectory() as folder:
            checkout = Path(folder)
            for name in unmarked_texts.FOLDERS:
                (checkout / name).mkdir()
            kept_file = checkout / "kept.txt"
            kept_file.write_text(KEPT, encoding="utf-8")
            (checkout / "saving" / "other.cpp").write_text('Say("Default Visible");')
            found = unmarked_texts.unmarked(checkout, unmarked_texts.kept_texts(kept_file))
            self.assertEqual(len(found), 1)
            self.assertTrue(found[0].startswith("saving/other.cpp:1: "), found[0])


if __name__ == "__main__":
    unittest.main()
