Attribute VB_Name = "M<script>alert(1)</script>"
Sub <img src=x onerror=alert(1)>()
End Sub
Function F&o"o(x)
End Function
