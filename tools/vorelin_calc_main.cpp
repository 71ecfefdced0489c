#include "files/file_io.h"
#include "tools/calculator.h"

#include <iostream>

int main(int argc, char** argv) {
    vorelin::IgnoreFileSizeSignal();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return vorelin::RunCalculator(arguments, std::cout, std::cerr);
}
