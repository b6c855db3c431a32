"""Tests the workflow's reading of the tool's genome listing, pair choice and result reading."""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "workflow", "scripts"))

from genome_list import parse_listing  # noqa: E402
from pairs import choose_pairs  # noqa: E402
from results import family_counts, report_counts, summary_lines  # noqa: E402

LISTING = "1\tone\tnative\t1\t1\t3\t2\n2\ttwo\tnative\t1\t0\t2\t2\n3\t3\tnative\t1\t0\t2\t2\n"
REPEATED = "1\talpha\tgrimm\t1\t0\t3\t3\n2\tbeta strain\tgrimm\t0\t1\t3\t3\n3\talpha\tgrimm\t1\t0\t3\t3\n"


class GenomeListTest(unittest.TestCase):
    def test_lines_give_positions_names_and_counts_or_are_refused(self):
        genomes = parse_listing(LISTING, "listing")
        self.assertEqual([(g.position, g.name, g.circular, g.copies, g.families) for g in genomes],
                         [(1, "one", 1, 3, 2), (2, "two", 0, 2, 2), (3, "3", 0, 2, 2)])
        for text in ("1\tone\tnative\t1\t1\t3\n", "1\tone\tnative\t1\tx\t3\t2\n", "2\tone\tnative\t1\t1\t3\t2\n"):
            with self.subTest(text=text), self.assertRaises(ValueError):
                parse_listing(text, "listing")


class PairsTest(unittest.TestCase):
    def test_all_pairs_in_file_order_with_safe_labels(self):
        pairs = choose_pairs(parse_listing(LISTING, "listing"), [])
        self.assertEqual([(p.label, p.tool_argument()) for p in pairs],
                         [("one__two", "1,2"), ("one__3", "1,3"), ("two__3", "2,3")])

    def test_entries_by_name_or_number(self):
        pairs = choose_pairs(parse_listing(LISTING, "listing"), ["two,one", ["3", 1]])
        self.assertEqual([(p.label, p.tool_argument()) for p in pairs], [("two__one", "2,1"), ("3__one", "3,1")])

    def test_repeated_or_unsafe_names_are_labelled_by_position(self):
        genomes = parse_listing(REPEATED, "listing")
        self.assertEqual([p.label for p in choose_pairs(genomes, [])], ["1__2", "1__3", "2__3"])
        with self.assertRaises(ValueError):
            choose_pairs(genomes, ["alpha,beta strain"])

    def test_bad_entries_are_refused(self):
        genomes = parse_listing(LISTING, "listing")
        for entry in ("one,one", "one,4", "one,nobody", "one", "one,two,3"):
            with self.subTest(entry=entry), self.assertRaises(ValueError):
                choose_pairs(genomes, [entry])
        with self.assertRaises(ValueError):
            choose_pairs(genomes, ["one,two", "1,2"])


class ResultsTest(unittest.TestCase):
    def test_summary_lines_drop_the_progress_lines(self):
        stdout = "Parsing params...\nDone\nCalculating Z variables\nStatus: time limit\nObjective: -3\nGap: 12.5%\n"
        self.assertEqual(summary_lines(stdout), ["Status: time limit", "Objective: -3", "Gap: 12.5%"])

    def test_report_and_family_counts(self):
        rows = [{"gene": "a", "first": "1", "second": "2"}, {"gene": "a", "first": "2", "second": "-"},
                {"gene": "b", "first": "-", "second": "1"}, {"gene": "c", "first": "1", "second": "1"}]
        self.assertEqual(report_counts(rows, "first"), (2, 3))
        self.assertEqual(report_counts(rows, "second"), (3, 3))
        families = [{"unmatched_first": "1", "unmatched_second": "0"}, {"unmatched_first": "0", "unmatched_second": "0"},
                    {"unmatched_first": "2", "unmatched_second": "3"}]
        self.assertEqual(family_counts(families), (3, 1, 6))


if __name__ == "__main__":
    unittest.main()
