#include <QApplication>
#include <QImageReader>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Scanned charts are far larger than Qt's default image allocation limit.
    QImageReader::setAllocationLimit(0);
    QMainWindow window;
    window.setWindowTitle("Tramvik GPS");
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
