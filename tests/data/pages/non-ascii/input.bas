Attribute VB_Name = "Privilégios"
' Café 速さ
Sub Maçã()
End Sub
