// The course editor's wasm module: the page calls the tw_editor_* functions of
// app/editor/editor_session.h; main only has to exist for the runtime to start.
int main() {
    return 0;
}
