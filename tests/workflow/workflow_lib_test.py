"""Tests the workflow's genome listing, pair choice and result reading on small hand-made files."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "workflow", "lib"))

from genome_file import read_genomes  # noqa: E402
from pairs import choose_pairs  # noqa: E402
from results import report_counts, summary_lines  # noqa: E402

NATIVE = b"""2
a 2 b 1
3
one 1 : 2 :
L 3 : +a.1-b.1+a.2;
C 0 : ;
two 2 | 1 |
L 2 : -b.1+a.1;
3 7 : 1 :
x 2 : +a.1+b.1;
"""

GRIMM = b"""# strains from a GRIMM file
>alpha
a b -c $
>beta strain
# a comment line
-a b c @
>alpha
a b c $
"""


def read(test, data, file_format=""):
    """Reads the genomes of data from a temporary file that the test removes."""
    with tempfile.NamedTemporaryFile(suffix=".txt", delete=False) as stream:
        stream.write(data)
    test.addCleanup(os.remove, stream.name)
    return read_genomes(stream.name, file_format)


class GenomeFileTest(unittest.TestCase):
    def read(self, data, file_format=""):
        return read(self, data, file_format)

    def test_native_genomes_give_names_positions_genes_and_copies(self):
        genomes = self.read(NATIVE)
        self.assertEqual([(g.position, g.name, g.copies) for g in genomes], [(1, "one", 3), (2, "two", 2), (3, "3", 2)])
        self.assertEqual(genomes[0].genes, {"a", "b"})

    def test_header_formats_give_names_after_comments(self):
        genomes = self.read(GRIMM)
        self.assertEqual([g.name for g in genomes], ["alpha", "beta strain", "alpha"])
        self.assertIsNone(genomes[0].copies)
        self.assertEqual(len(self.read(GRIMM, "unimog")), 3)

    def test_files_without_two_genomes_or_cut_short_are_refused(self):
        for data in (b"", b"0 1 x 1 : 1 : L 1 : +a.1;", b"0 2 x 1 : 1 : L 1", b">only\na b |\n", b"1 a"):
            with self.subTest(data=data), self.assertRaises(ValueError):
                self.read(data)


class PairsTest(unittest.TestCase):
    def genomes(self, data):
        return read(self, data)

    def test_all_pairs_in_file_order_with_safe_labels(self):
        pairs = choose_pairs(self.genomes(NATIVE), [])
        self.assertEqual([(p.label, p.tool_argument()) for p in pairs],
                         [("one__two", "1,2"), ("one__3", "1,3"), ("two__3", "2,3")])

    def test_entries_by_name_or_number(self):
        pairs = choose_pairs(self.genomes(NATIVE), ["two,one", ["3", 1]])
        self.assertEqual([(p.label, p.tool_argument()) for p in pairs], [("two__one", "2,1"), ("3__one", "3,1")])

    def test_repeated_or_unsafe_names_are_labelled_by_position(self):
        pairs = choose_pairs(self.genomes(GRIMM), [])
        self.assertEqual([p.label for p in pairs], ["1__2", "1__3", "2__3"])
        with self.assertRaises(ValueError):
            choose_pairs(self.genomes(GRIMM), ["alpha,beta strain"])

    def test_bad_entries_are_refused(self):
        genomes = self.genomes(NATIVE)
        for entry in ("one,one", "one,4", "one,nobody", "one", "one,two,3"):
            with self.subTest(entry=entry), self.assertRaises(ValueError):
                choose_pairs(genomes, [entry])
        with self.assertRaises(ValueError):
            choose_pairs(genomes, ["one,two", "1,2"])


class ResultsTest(unittest.TestCase):
    def test_summary_lines_drop_the_progress_lines(self):
        stdout = "Parsing params...\nDone\nCalculating Z variables\nStatus: time limit\nObjective: -3\nGap: 12.5%\n"
        self.assertEqual(summary_lines(stdout), ["Status: time limit", "Objective: -3", "Gap: 12.5%"])

    def test_report_counts_genes_and_copies_of_each_genome(self):
        rows = [{"gene": "a", "first": "1", "second": "2"}, {"gene": "a", "first": "2", "second": "-"},
                {"gene": "b", "first": "-", "second": "1"}, {"gene": "c", "first": "1", "second": "1"}]
        self.assertEqual(report_counts(rows, "first"), (2, 3))
        self.assertEqual(report_counts(rows, "second"), (3, 3))


if __name__ == "__main__":
    unittest.main()
