' The four controls driven by a script host: created by ProgID, properties written and read
' back, methods called. Every error is trapped here (the host would swallow it) and the exit
' status is the number of failed checks.
Option Explicit
Dim failures : failures = 0

Sub Check(ok, what)
    If Err.Number <> 0 Then
        WScript.Echo "FAILED " & what & ": error " & Hex(Err.Number) & " " & Err.Description
        failures = failures + 1
        Err.Clear
    ElseIf Not ok Then
        WScript.Echo "FAILED " & what
        failures = failures + 1
    End If
End Sub

On Error Resume Next

Dim text, i
text = ""
For i = 32 To 255
    text = text & Chr(i)
Next

Dim b : Set b = CreateObject("Quorvantix.Barcode1DX")
Check IsObject(b), "create Barcode1DX"
b.barType = 10
b.Code = "590123412345"
Check b.barType = 10 And b.Code = "590123412345", "Barcode1DX EAN-13 settings"
b.barType = 300
Check b.barType = 44, "Barcode1DX barType keeps the low byte"
b.checkCharacter = False
Check b.checkCharacter = False, "Barcode1DX Boolean"
b.H = 0.75
Check b.H = 0.75, "Barcode1DX H"
b.supplement = text
Check b.supplement = text, "Barcode1DX string of characters 32 to 255"
Check b.Font.Size > 0, "Barcode1DX Font"
Check b.ClassNameIs("TBARCODE1D"), "Barcode1DX ClassNameIs"

Dim d : Set d = CreateObject("Quorvantix.DatamatrixX")
Check IsObject(d), "create DatamatrixX"
d.Code = "Script"
d.PreferredFormat = 4
d.rebuild = True
Check d.Code = "Script" And d.PreferredFormat = 4 And d.rebuild, "DatamatrixX settings"
Check d.CalculatedFormat = 0, "DatamatrixX CalculatedFormat before a paint"

Dim p : Set p = CreateObject("Quorvantix.PDF417X")
Check IsObject(p), "create PDF417X"
p.Code = String(3000, "A")
p.PDFMacroSegment = 0
p.PDFMaxRows = 10
p.prepareMacroPDF
Check p.PDFMacroSegmentCount > 1, "PDF417X prepareMacroPDF"
p.resetMacroPDF
p.PDFMacroAddresse = "Somebody"
Check p.PDFMacroAddresse = "Somebody", "PDF417X PDFMacroAddresse"

Dim m : Set m = CreateObject("Quorvantix.MaxicodeX")
Check IsObject(m), "create MaxicodeX"
Dim w : w = m.WHexagon
m.L = 51
Check m.L = 51 And m.WHexagon > w And m.preferredWidth > 0, "MaxicodeX L recomputes the grid"
m.setL 25.5
Check m.WHexagon = w, "MaxicodeX setL"
m.mode = 9
Check m.mode = 9, "MaxicodeX mode 9 is stored"
m.data = text
Check m.data = text, "MaxicodeX data"
m.ProcessTilde = False
Check Not m.ProcessTilde, "MaxicodeX ProcessTilde"

' A read-only property refuses a write with an error the script can trap.
Err.Clear
m.preferredWidth = 5
Dim refused : refused = Err.Number
Err.Clear
Check refused = 438, "MaxicodeX preferredWidth is read-only"

WScript.Quit failures
