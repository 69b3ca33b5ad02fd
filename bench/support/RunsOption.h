#pragma once
// The benches' common option `--runs N` (the number of paired runs, for a short run),
// taken out of the arguments so that each bench reads the rest as before.
//
//   const int runs = TakeRunsOption(argc, argv, 5);
#include <algorithm>
#include <cstdlib>
#include <string>

inline int TakeRunsOption(int& argc, char** argv, int fallback)
{
    int runs = fallback;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) != "--runs" || i + 1 >= argc)
            continue;
        runs = std::max(1, std::atoi(argv[i + 1]));
        for (int k = i; k + 2 <= argc; ++k)
            argv[k] = argv[k + 2];  // argv[argc] (null) moves down too
        argc -= 2;
        --i;
    }
    return runs;
}
