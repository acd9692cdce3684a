#ifndef BENCH_SCENARIOS_H_
#define BENCH_SCENARIOS_H_

#include <string>

#include "base/text_document.h"
#include "source/route_source.h"
#include "source/train_source.h"

namespace scenario {

struct Texts {
  std::string route;
  std::string train;
};

inline Texts Embedded() {
  return {EncodeTextDocument(RouteSourceLines()),
          EncodeTextDocument(TrainSourceLines())};
}

// A route of 1000000 m with curves throughout, a gradient line every 300 m,
// speed boards and signboards, and a train with a signal every kilometre,
// slow-downs, stations and profiles all along.
inline Texts Maximal() {
  constexpr int kLength = 1000000;
  std::string route =
      "[generale]\r\nlunghezza percorso, 1000000\r\n[curve]\r\n";
  for (int p = 0, k = 0; p + 1500 < kLength; p += 2000, ++k) {
    route += std::string(k % 2 ? "curvas" : "curvad") +
             std::to_string(1 + k % 4) + ", " + std::to_string(p + 500) +
             ", 1000\r\n";
  }
  for (int p = 0, k = 0; p < kLength; p += 300, ++k) {
    route += "pendenza, " + std::to_string(p) + ", " +
             std::to_string(k % 9 - 4) + "\r\n";
  }
  for (int p = 100; p < kLength; p += 5000) {
    route += "indicatori_vmax, " + std::to_string(p) +
             ", 100, 110, 120, 0, , , , 0\r\n";
  }
  for (int p = 600; p < kLength; p += 25000) {
    route +=
        "cartello_indicatore, " + std::to_string(p) + ", (P.L.Km)(1+000)\r\n";
  }
  route += "[fine]\r\n";

  std::string train = "[generale]\r\nnumero vetture, 6\r\norologio, 6 0 0\r\n";
  for (int p = 0, k = 0; p < kLength; p += 2000, ++k) {
    train += "velocita, " + std::to_string(p) + ", " +
             std::to_string(80 + 10 * (k % 5)) + "\r\n";
  }
  for (int p = 0; p < kLength; p += 5000) {
    train += "aderenza, " + std::to_string(p) + ", 90\r\n";
  }
  for (int p = 12500, n = 0; p < kLength && n < 38; p += 25000, ++n) {
    train += "stazione, " + std::to_string(p) +
             ", 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, " +
             std::to_string(6 + n / 10) + ", " + std::to_string(n % 10 * 5) +
             ", 0, S" + std::to_string(n) + "\r\n";
  }
  for (int p = 25000; p < kLength; p += 50000) {
    train += "rallentamento, " + std::to_string(p) + ", 30, 500, 0, 1, 0\r\n";
  }
  for (int p = 350; p < kLength; p += 1000) {
    train +=
        "segnale, " + std::to_string(p) + ", 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n";
  }
  train += "[fine]\r\n";
  return {route, train};
}

}  // namespace scenario

#endif  // BENCH_SCENARIOS_H_
