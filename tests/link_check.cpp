// Linked with one module and the modules it declares it uses, so that every symbol the module
// needs must come from those.
int main() {
    return 0;
}
