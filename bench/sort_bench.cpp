// Sorts the generated paths of a large folder as the player does and prints the time taken.
#include "foundation/string_array_data.h"

#include <chrono>
#include <cstdio>
#include <random>

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::mt19937 random(1);
    const char16_t* cases[] = {u"IMG_", u"img_", u"Img_", u"DSC", u"dsc"};
    CStringArrayData paths;
    for (int i = 0; i < count; ++i) {
        CString name;
        name.Format(u"/home/user/Pictures/time-lapse/%s%06u.JPG", cases[random() % std::size(cases)],
                    static_cast<unsigned>(random() % 1000000));
        paths.Add(name);
    }
    const auto start = std::chrono::steady_clock::now();
    paths.BubbleSort();
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    for (int i = 0; i + 1 < count; ++i) {
        if (paths[i].CompareNoCase(paths[i + 1]) > 0) {
            std::printf("sort_bench: not in order at %d\n", i);
            return 1;
        }
    }
    std::printf("sort_bench: BubbleSort of %d paths took %.1f ms\n", count, elapsed.count());
    return 0;
}
