// Creates each Quorvantix control, sets its properties and reads back what it reports.
// Run it with the script host of the bitness you registered: cscript //nologo controls.js
// (32-bit: %SystemRoot%\SysWOW64\cscript.exe). Exits with 1 when something fails.
try {
    var ean = new ActiveXObject("Quorvantix.Barcode1DX");
    ean.barType = 10;  // EAN13 in TxSymbology
    ean.Code = "590123412345";
    WScript.Echo("EAN-13 for " + ean.Code);

    var matrix = new ActiveXObject("Quorvantix.DatamatrixX");
    matrix.Code = "Hello from JScript";
    matrix.PixelsDot = 4;
    matrix.rebuild = true;  // a changed Code shows once rebuild is set
    WScript.Echo("Data Matrix for " + matrix.Code);

    var pdf = new ActiveXObject("Quorvantix.PDF417X");
    pdf.Code = "Quorvantix PDF417";
    pdf.PDFColumns = 4;
    WScript.Echo("PDF417 with " + pdf.PDFColumns + " columns");

    var maxi = new ActiveXObject("Quorvantix.MaxicodeX");
    maxi.mode = 4;
    maxi.data = "Hello MaxiCode";
    maxi.setL(25.5);  // nominal size in millimetres
    WScript.Echo("MaxiCode hexagons " + maxi.WHexagon + " x " + maxi.HHexagon + " pixels");
    WScript.Quit(0);
} catch (e) {
    WScript.Echo("failed: " + e.message);
    WScript.Quit(1);
}
