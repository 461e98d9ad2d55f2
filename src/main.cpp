// orvant-in: writes the listing of one model.
#include <string>
#include <vector>

#include "run/startup.h"

int main(int argc, char** argv) { return orvant::RunOrvantIn(std::vector<std::string>(argv + 1, argv + argc)); }
