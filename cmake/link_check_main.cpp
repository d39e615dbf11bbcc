// The link check's program: never run. It exists so that the linker must resolve every symbol
// that one layer's objects use, from that layer and the ones below it alone.
int main() {
    return 0;
}
