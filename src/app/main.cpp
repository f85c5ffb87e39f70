#include "app/ardeno_app.h"

int main(int argc, char** argv) { return kz7::CArdenoApp::Main(argc, argv); }
