' Creates each Quorvantix control, sets its properties and reads back what it reports.
' Run it with the script host of the bitness you registered: cscript //nologo controls.vbs
' (32-bit: %SystemRoot%\SysWOW64\cscript.exe). Exits with 1 when something fails.
Option Explicit
On Error Resume Next

Sub Report(what)
    If Err.Number <> 0 Then
        WScript.Echo what & " failed: " & Hex(Err.Number) & " " & Err.Description
        WScript.Quit 1
    End If
    WScript.Echo what
End Sub

Dim ean : Set ean = CreateObject("Quorvantix.Barcode1DX")
ean.barType = 10            ' EAN13 in TxSymbology
ean.Code = "590123412345"
ean.Font.Size = 9
Report "EAN-13 for " & ean.Code

Dim code128 : Set code128 = CreateObject("Quorvantix.Barcode1DX")
code128.barType = 13        ' CODE128
code128.Code = "PARCEL-00042"
code128.X = 2
Report "Code 128 for " & code128.Code & ", modules of " & code128.X & " pixels"

Dim matrix : Set matrix = CreateObject("Quorvantix.DatamatrixX")
matrix.Code = "Hello from VBScript"
matrix.PixelsDot = 4
matrix.rebuild = True       ' a changed Code shows once rebuild is set
Report "Data Matrix for " & matrix.Code

Dim pdf : Set pdf = CreateObject("Quorvantix.PDF417X")
pdf.Code = "Quorvantix PDF417"
pdf.PDFECLevel = 3
pdf.PDFColumns = 4
Report "PDF417 at error-correction level " & pdf.PDFECLevel

Dim maxi : Set maxi = CreateObject("Quorvantix.MaxicodeX")
maxi.mode = 4
maxi.data = "Hello MaxiCode"
maxi.setResolution 300      ' the hexagon grid follows the printer's resolution
Report "MaxiCode " & maxi.preferredWidth & " x " & maxi.preferredHeight & " pixels at 300 dpi"
WScript.Quit 0
