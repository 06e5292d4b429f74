Attribute VB_Name = "Quorvantix"
' Puts an EAN-13 and a Data Matrix on the active Excel sheet, or on an Access form in design
' view. Import this module (File > Import File) into the workbook or database; register the
' server of your Office's bitness first (register.cmd or register-user.cmd).
Option Explicit

' Excel: two controls on the active sheet, 120 x 60 and 80 x 80 points.
Public Sub AddBarcodesToSheet()
    Dim ean As Object, matrix As Object
    Set ean = ActiveSheet.OLEObjects.Add(ClassType:="Quorvantix.Barcode1DX", _
                                         Left:=20, Top:=20, Width:=120, Height:=60)
    ean.Object.barType = 10              ' EAN13
    ean.Object.Code = "590123412345"     ' the check digit is added
    Set matrix = ActiveSheet.OLEObjects.Add(ClassType:="Quorvantix.DatamatrixX", _
                                            Left:=160, Top:=20, Width:=80, Height:=80)
    matrix.Object.Code = "Sheet " & ActiveSheet.Name
    matrix.Object.PixelsDot = 3
    matrix.Object.rebuild = True         ' a changed Code shows once rebuild is set
End Sub

' Access: the same two controls on a form opened in design view (units are twips).
Public Sub AddBarcodesToForm(formName As String)
    Dim ean As Control, matrix As Control
    Set ean = CreateControl(formName, acCustomControl, acDetail, , , 300, 300, 2400, 1200)
    ean.Class = "Quorvantix.Barcode1DX"
    ean.Object.barType = 10
    ean.Object.Code = "590123412345"
    Set matrix = CreateControl(formName, acCustomControl, acDetail, , , 3000, 300, 1600, 1600)
    matrix.Class = "Quorvantix.DatamatrixX"
    matrix.Object.Code = "Form " & formName
    matrix.Object.rebuild = True
End Sub
