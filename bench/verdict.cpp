// Verdicts per second on 40-character answers (the longest a grid answer box takes).
#include <benchmark/benchmark.h>

#include <string>

#include "judge/verdict.h"

namespace {

const std::string kExpected = "LE CHATEAU DE VERSAILLES ET SES JARDINS.";  // 40 characters

struct Kind {
  const char* name;
  std::string typed;
};

// Equal after normalisation, one letter off, and nothing alike.
const Kind kKinds[] = {
    {"equal", "le chateau de versailles et ses jardins."},
    {"near", "LE CHATEAU DE VERSAILES ET SES JARDINS.."},
    {"far", "UNE PETITE MAISON DANS LA PRAIRIE VERTE!"},
};

void verdicts(benchmark::State& state) {
  const Kind& kind = kKinds[state.range(0)];
  state.SetLabel(kind.name);
  for (auto _ : state) benchmark::DoNotOptimize(fenok::computeVerdict(kind.typed, kExpected));
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(verdicts)->DenseRange(0, 2);

}  // namespace

BENCHMARK_MAIN();
