// Any bytes read as a last-session file store only finite values, and a failed read the fallbacks.
#include "files/last_session_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vorelin::Entries session;
    const auto result = vorelin::ReadLastSessionFrom(bytes, session);
    for (const float value : {session.SavedFrequency, session.SavedImpedance, session.C1, session.C2,
                              session.C3, session.L1, session.L2, session.L3})
        if (!std::isfinite(value)) std::abort();
    if (result == vorelin::LastSessionRead::Failed &&
        (session.SavedFrequency != vorelin::kFallbackFrequency ||
         session.SavedImpedance != vorelin::kFallbackImpedance ||
         session.SavedTopology != vorelin::kFallbackTopology))
        std::abort();
    // What was read writes back as a file that reads to the same topology.
    if (result == vorelin::LastSessionRead::Complete) {
        session.Topology = session.SavedTopology;
        vorelin::Entries again;
        if (vorelin::ReadLastSessionFrom(vorelin::LastSessionFileText(session), again) !=
                vorelin::LastSessionRead::Complete ||
            again.SavedTopology != session.SavedTopology)
            std::abort();
    }
    return 0;
}
