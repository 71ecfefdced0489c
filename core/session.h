#pragma once

#include "core/colour.h"

#include <cstdint>
#include <string>

namespace vorelin {

// The one record of everything that more than one page or module needs. The application owns
// a single instance for the whole run and hands it to every page and module by reference; it
// starts zero-filled, and start-up and the last-session reader fill it in.
//
// Every electrical quantity is a float in SI units (hertz, ohms, farads, henries); whatever
// computes one does so in double precision and rounds once, when it stores the result.
struct Session {
    // Entries: written by the entries page (through the value parser) and the last-session reader.
    float Frequency = 0;          // Hz
    float Impedance = 0;          // ohms, the system impedance Z0 the chart is normalised to
    float C1 = 0, C2 = 0, C3 = 0; // farads, positions 1 (transmitter side) to 3 (load side)
    float L1 = 0, L2 = 0, L3 = 0; // henries
    std::int16_t Topology = 0;    // 1 to 8; 0 means not chosen yet

    // Restore values from the last-session file; the entries page decides whether to use them.
    float SavedFrequency = 0;
    float SavedImpedance = 0;
    std::int16_t SavedTopology = 0;

    // Results: the load behind the tuner, from the most recent network run.
    float LoadR = 0; // ohms
    float LoadX = 0; // ohms, positive is inductive

    // Display settings and plotting state.
    float AspectRatio = 0;      // horizontal stretch of the chart, 0.75 from the defaults reader
    float DefaultsValue2 = 0;   // carried through the defaults file only
    float DefaultsValue3 = 0;   // carried through the defaults file only
    float Accuracy = 0;         // measurement accuracy as a fraction: 0.01 to 0.2
    Colour DotColor = 0;        // colour of the next load circle
    std::int16_t DotRadius = 0; // radius of the next load circle, page units
    float ChartRadius = 0;      // radius of the chart's unit circle before zoom, page units

    // Constants and working strings.
    double Pi = 0;
    std::string ProgramName;
    std::string VersionText;
    std::string FileName;          // the file about to be written
    std::string ValueText;         // scratch text of the readout and labels
    std::string ReactancePartText; // equivalent capacitance or inductance of the load reactance

    // Part values as used by the most recent run of each group of network routines; the
    // printed schematic labels its parts from these.
    float Net15L1 = 0, Net15C2 = 0, Net15L3 = 0; // topologies 1 and 5
    float Net27C1 = 0, Net27L2 = 0, Net27C3 = 0; // topologies 2 and 7
    float Net38L1 = 0, Net38C2 = 0, Net38L3 = 0; // topologies 3 and 8
    float Net46C1 = 0, Net46L2 = 0, Net46C3 = 0; // topologies 4 and 6

    friend bool operator==(const Session&, const Session&) = default;
};

// Sets the constants that start-up owns: Pi (computed as 4 * atan(1)), ProgramName and VersionText.
void InitConstants(Session& session);

} // namespace vorelin
