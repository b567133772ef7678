#include "app/Pellum.h"

int main(int argc, char** argv) {
    return RunPellum(argc, argv);
}
