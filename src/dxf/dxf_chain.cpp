#include "dxf/dxf_chain.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace pelmora {

namespace {

const TDxfPoint kOrigin{};

void StartNearerOrigin(TdxfLine& line) {
  if (SquaredDistance(line.End, kOrigin) < SquaredDistance(line.Start, kOrigin)) std::swap(line.Start, line.End);
}

}  // namespace

void OrientAndChain(std::vector<TdxfLine>& lines, double tolerance) {
  for (TdxfLine& line : lines) StartNearerOrigin(line);
  // The lines themselves are moved once, at the end; sorting and chaining work on indices.
  struct TSortKey {
    double Distance, X, Y;
    bool operator<(const TSortKey& other) const {
      return std::tie(Distance, X, Y) < std::tie(other.Distance, other.X, other.Y);
    }
  };
  std::vector<TSortKey> keys;
  keys.reserve(lines.size());
  for (const TdxfLine& line : lines) keys.push_back({SquaredDistance(line.Start, kOrigin), line.Start.X, line.Start.Y});
  std::vector<int> sorted(lines.size());
  for (size_t i = 0; i < sorted.size(); ++i) sorted[i] = static_cast<int>(i);
  std::stable_sort(sorted.begin(), sorted.end(), [&keys](int a, int b) { return keys[a] < keys[b]; });

  // Lines not yet placed keep their sorted order, so "the first later line" is the unplaced
  // line of lowest sorted rank whose start coincides.
  TCoincidenceGrid starts(tolerance, lines.size());
  for (size_t rank = 0; rank < sorted.size(); ++rank) starts.Add(lines[sorted[rank]].Start, static_cast<int>(rank));
  std::vector<char> placed(lines.size(), 0);
  std::vector<int> order;
  order.reserve(lines.size());
  size_t nextRank = 0;
  int current = -1;
  while (order.size() < lines.size()) {
    int rank = current >= 0 ? starts.FirstCoinciding(lines[current].End) : -1;
    if (rank < 0) {
      while (placed[nextRank]) ++nextRank;
      rank = static_cast<int>(nextRank);
    }
    placed[rank] = 1;
    current = sorted[rank];
    starts.Remove(lines[current].Start, rank);
    order.push_back(current);
  }

  std::vector<TdxfLine> chained;
  chained.reserve(lines.size());
  for (int index : order) chained.push_back(std::move(lines[index]));
  lines = std::move(chained);
}

}  // namespace pelmora
