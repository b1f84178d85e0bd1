// Linked with every unit of one folder's library and the earlier folders'
// libraries only: the build fails when a unit uses a later folder.
int main() { return 0; }
