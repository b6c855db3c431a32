// Random annotated genomes written as GFF3 (feature lines shuffled, a CDS
// before its gene too; genes found by ID, locus_tag or a child CDS's
// protein_id) with an OrthoFinder table read back as the genomes they were
// written from.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "genome/annotated_genomes.h"
#include "genome/gff_reader.h"
#include "genome/orthology_table.h"

namespace paralog {
namespace {

constexpr int kFamilies = 5;

// One random genome: its GFF3 text and, per chromosome, the expected
// "<sign><name>" of its genes in order of their start.
struct WrittenGenome {
  std::string gff;
  std::vector<std::vector<std::string>> genes;
  std::vector<bool> circular;
};

WrittenGenome writeGenome(int genome, std::mt19937& random, std::vector<std::vector<std::string>>& members) {
  WrittenGenome written;
  std::vector<std::string> regions;
  std::vector<std::string> genes;
  const int chromosomes = 1 + static_cast<int>(random() % 3);
  for (int c = 0; c < chromosomes; ++c) {
    const std::string seqid = "g" + std::to_string(genome) + "c" + std::to_string(c);
    written.circular.push_back(random() % 2 == 0);
    regions.push_back(seqid + "\tsim\tregion\t1\t99999\t.\t+\t.\tID=" + seqid +
                      (written.circular.back() ? ";Is_circular=true" : ""));
    written.genes.emplace_back();
    const int count = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < count; ++i) {
      const std::string id = seqid + "_" + std::to_string(i);
      const int family = static_cast<int>(random() % (kFamilies + 2)) - 2;  // below 0: no family
      const bool reverse = random() % 2 == 0;
      genes.push_back(seqid + "\tsim\tgene\t" + std::to_string(100 * i + 1) + "\t" + std::to_string(100 * i + 90) +
                      "\t.\t" + (reverse ? "-" : "+") + "\t.\tID=" + id + ";locus_tag=lt" + id);
      const bool hasChild = random() % 2 == 0;
      if (hasChild) genes.push_back(seqid + "\tsim\tCDS\t1\t9\t.\t+\t0\tParent=" + id + ";protein_id=p" + id);
      const std::string names[] = {id, "lt" + id, hasChild ? "p" + id : id};
      if (family >= 0) members[family].push_back(names[random() % 3]);
      written.genes.back().push_back((reverse ? "-" : "+") + (family >= 0 ? "OG" + std::to_string(family) : id));
    }
  }
  std::shuffle(genes.begin(), genes.end(), random);
  for (const auto* lines : {&regions, &genes}) {
    for (const std::string& line : *lines) written.gff += line + "\n";
  }
  return written;
}

TEST(AnnotatedGenomesTest, RandomGenomesReadBackAsWritten) {
  for (unsigned seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::vector<std::vector<std::string>> members(kFamilies);
    std::vector<WrittenGenome> written;
    std::vector<AnnotatedGenome> genomes;
    const int count = 2 + static_cast<int>(random() % 3);
    for (int g = 0; g < count; ++g) {
      written.push_back(writeGenome(g, random, members));
      std::istringstream in(written.back().gff);
      genomes.push_back(readGff(in, "dir/genome" + std::to_string(g) + ".gff3", GffChoices{}));
    }
    std::string table = "Orthogroup\tall\n";
    for (int f = 0; f < kFamilies; ++f) {
      std::string cell;
      for (const std::string& member : members[f]) cell += (cell.empty() ? "" : ", ") + member;
      table += "OG" + std::to_string(f) + "\t" + cell + "\n";
    }
    std::istringstream tableIn(table);
    const StructuresRead read = structuresOfAnnotations(genomes, readOrthologyTable(tableIn, "t.tsv"));
    ASSERT_EQ(read.structures.size(), written.size());
    for (size_t g = 0; g < written.size(); ++g) {
      const Structure& structure = read.structures[g];
      EXPECT_EQ(structure.name, "genome" + std::to_string(g));
      ASSERT_EQ(structure.chromosomes.size(), written[g].genes.size());
      for (size_t c = 0; c < structure.chromosomes.size(); ++c) {
        EXPECT_EQ(structure.chromosomes[c].circular, written[g].circular[c]);
        std::vector<std::string> genes;
        for (const Gene& gene : structure.chromosomes[c].genes) genes.push_back((gene.sign < 0 ? "-" : "+") + gene.name);
        EXPECT_EQ(genes, written[g].genes[c]);
      }
    }
  }
}

}  // namespace
}  // namespace paralog
