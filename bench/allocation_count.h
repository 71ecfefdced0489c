#pragma once

#include <cstddef>

namespace vorelin::bench {

// What the process allocates while a count runs: every malloc, calloc, realloc and aligned
// allocation, Qt's own included (the program's memory functions stand in front of the C
// library's). Only one count runs at a time.
struct AllocationCount {
    std::size_t bytes = 0;   // requested in all
    std::size_t largest = 0; // the largest single request
    std::size_t calls = 0;
};

void StartCountingAllocations();
AllocationCount StopCountingAllocations();

} // namespace vorelin::bench
