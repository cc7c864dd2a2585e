#include "velk_tool.h"

int main(int argc, char** argv) {
    return velk::tool::Main(argc, argv);
}
