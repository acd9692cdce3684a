#ifndef COMPILER_COMPILE_FOR_TEST_H_
#define COMPILER_COMPILE_FOR_TEST_H_

#include <string>
#include <string_view>

#include "base/memory_file_system.h"
#include "base/text_document.h"
#include "compiler/source_reading.h"
#include "source/route_source.h"
#include "source/train_source.h"

namespace scenario {

inline constexpr char kRoutePath[] = "d/R_linea.txt";
inline constexpr char kTrainPath[] = "d/R_7-.txt";

inline std::string EmbeddedRoute() {
  return EncodeTextDocument(RouteSourceLines());
}
inline std::string EmbeddedTrain() {
  return EncodeTextDocument(TrainSourceLines());
}

// A route text of the embedded route's general part and the given body.
inline std::string RouteWithBody(std::string_view body,
                                 std::string_view length = "67000") {
  return "[generale]\r\nlunghezza percorso, " + std::string(length) +
         "\r\n[curve]\r\n" + std::string(body) + "[fine]\r\n";
}
// A train text of the given lines.
inline std::string TrainWith(std::string_view lines) {
  return "[generale]\r\n" + std::string(lines) + "[fine]\r\n";
}

// Reads the two texts from memory as the program reads its own.
struct CompiledForTest {
  Scenario s;
  MemoryFileSystem files;
};
inline void ReadTexts(CompiledForTest& c, std::string_view route,
                      std::string_view train) {
  c.files.files[kRoutePath] = std::string(route);
  c.files.files[kTrainPath] = std::string(train);
  c.s.scrivi_linea = true;
  c.s.nome_linea = "R";
  c.s.numero_treno = "7";
  // The texts are there and readable: no failure to hand up.
  (void)memorizza_dati(c.s, c.files, {kRoutePath, kTrainPath});
}

}  // namespace scenario

#endif  // COMPILER_COMPILE_FOR_TEST_H_
