#ifndef MODEL_BINARY_FILES_H_
#define MODEL_BINARY_FILES_H_

#include <string>
#include <string_view>
#include <vector>

#include "base/file_names.h"
#include "base/file_system.h"
#include "base/status.h"
#include "model/scenario.h"

namespace scenario {

// The three binary files the simulator reads. All numbers little-endian,
// records packed, no header and no trailer: the layouts below are the
// simulator's and must not change.

// Cell file: cells 0 to n_celle, 15 bytes each.
//   0 tipo u8 | 1 valore1 i16 | 3 valore2 i16 | 5 valore3 i16 |
//   7 valore4 i16 | 9 tempo u8 | 10 preavviso u8 | 11 montagna u8 |
//   12 velocita u8 | 13 pendenza u8 | 14 aderenza u8
inline constexpr size_t kCellRecordSize = 15;
std::string EncodeCelle(const Celle& celle);

// Train file: the 87 records of the bank, 34 + N bytes each, N the length
// of `nome`.
//   0 tipo u8 | 1 inizio i32 | 5 fine i32 | 9 progressiva i32 | 13 byte1 u8 |
//   14 N i16 | 16 nome N bytes | 16+N intero1..intero5 i16 |
//   26+N byte2..byte5 u8 | 30+N orario i32
inline constexpr size_t kVoceRecordSize = 34;
std::string EncodeVoci(const std::array<Voce, kVoci>& voci);

// Route plan file: every x value, metre by metre, then every y value. Each
// value is a 2-byte kind, then its payload:
//   kind 0 empty, no payload | kind 2 integer, i16 | kind 5 real, f64
std::string EncodeTracciato(const Tracciato& tracciato);

// Reading the files back, for tools that show what a package holds. A
// file that does not have exactly the layout above is refused with what
// was expected at which byte.
struct DecodeError {
  size_t offset = 0;
  std::string expected;  // e.g. "a 15-byte cell record (7 bytes left)"
};
bool DecodeCelle(std::string_view bytes, std::vector<Cella>* cells,
                 DecodeError* error);
bool DecodeVoci(std::string_view bytes, std::array<Voce, kVoci>* voci,
                DecodeError* error);
// The plan's point count follows from its length: half its values.
bool DecodeTracciato(std::string_view bytes, std::vector<PlanValue>* xs,
                     std::vector<PlanValue>* ys, DecodeError* error);

// Replaces the plan file (only when `scrivi_linea` is nonzero), then the
// train file, then the cell file. The first failure ends the writing;
// files already written stay.
Status WriteBinaryFiles(const Scenario& scenario, const FileNames& names,
                        FileSystem& files);

}  // namespace scenario

#endif  // MODEL_BINARY_FILES_H_
