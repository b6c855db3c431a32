#ifndef PARALOG_SUPPORT_OPTION_TABLE_H
#define PARALOG_SUPPORT_OPTION_TABLE_H

// The option table that --help prints after its usage line, shared by the
// tests of the parser and of whole runs.

namespace paralog::testutil {

inline constexpr const char* kOptionTable =
    "Options:\n"
    "  -h [ --help ]         Show help\n"
    "  --version             Show version\n"
    "  -i [ --input ] arg    File with paralogs and structs\n"
    "  -o [ --output ] arg   Linear programming task (- for stdout; *.gz: gzip)\n"
    "  --portable            Write an LP file every solver reads alike\n"
    "  --write-model arg     Compact model as portable LP (- for stdout; *.gz: gzip)\n"
    "  --format arg          Input format: native, unimog, grimm or gff\n"
    "  --pair arg            Genomes to compare: A,B (names or numbers)\n"
    "  --drop-unshared       Drop genes missing from either genome\n"
    "  --keep-unshared       Keep genes missing from either genome, unmatched\n"
    "  --solve               Solve the task with the embedded CBC\n"
    "  --time-limit arg      With --solve: stop after this many seconds\n"
    "  --threads arg         With --solve: threads to search with (default 1)\n"
    "  --oversubscribe       With --threads: allow more threads than cores\n"
    "  --solve-model arg     With --solve: compact (default) or full\n"
    "  --match-all           Match every gene as often as its rarer side allows\n"
    "  --solution arg        Read and check a solver's solution file\n"
    "  --matching arg        Score a matching given as the TSV of --report\n"
    "  --report arg          With --solve, --solution or --matching: matching as TSV\n"
    "  --write-solution arg  With --solve, --solution or --matching: as CBC solution\n"
    "  --families arg        With --solve, --solution or --matching: family counts\n"
    "  --list-genomes        List the genomes of the input file and stop\n"
    "  --orthology arg       With --format gff: the gene families' table\n"
    "  --gff-feature arg     With --format gff: genes' feature type (gene)\n"
    "  --circular            With --format gff: every chromosome is circular\n"
    "  --write-genomes arg   Write the genomes read as UniMoG\n";

}  // namespace paralog::testutil

#endif  // PARALOG_SUPPORT_OPTION_TABLE_H
