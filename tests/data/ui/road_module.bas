Attribute VB_Name = "MOD_ParamSet"
Option Explicit
'============================================================
'オラクルパッケージ呼出モジュール
'作成日時  ：2001年05月12日(土) [14:03:09]
'作成者    ：Tamsel (Generator)
'編集者    ：YAMADA
'
'※注意点
'1 OraDataBaseオブジェクト名を仮に[ppOraDB]としてあります。
'  [ppOraDB]を実際に使用している名称に置換して下さい。
'2 コード内、コメントになっている部分は
'  必要な所だけコメントを外して使用して下さい。
'3 現在対応しているORATYPEはCHAR,VARCHAR,VARCHAR2,DATE,NUMBERです。
'  それ以外は[ORATYPE_UNKNOWN]としてあります。置換して下さい。
'4 [++++]で囲まれた部分はカスタマイズポイントです。
'5 関数内でのエラーは[12345678]を返します。※数値変更可
'============================================================

'Parameter Types
Public Const ORAPARM_INPUT = 1
Public Const ORAPARM_OUTPUT = 2
Public Const ORAPARM_BOTH = 3

'Oracle Type Codes
Public Const ORATYPE_VARCHAR2 = 1
Public Const ORATYPE_NUMBER = 2
'Public Const ORATYPE_SINT = 3
'Public Const ORATYPE_FLOAT = 4
'Public Const ORATYPE_STRING = 5
'Public Const ORATYPE_DECIMAL = 7
Public Const ORATYPE_VARCHAR = 9
Public Const ORATYPE_DATE = 12
'Public Const ORATYPE_REAL = 21
'Public Const ORATYPE_DOUBLE = 22
'Public Const ORATYPE_UNSIGNED8 = 23
'Public Const ORATYPE_UNSIGNED16 = 25
'Public Const ORATYPE_UNSIGNED32 = 26
'Public Const ORATYPE_SIGNED8 = 27
'Public Const ORATYPE_SIGNED16 = 28
'Public Const ORATYPE_SIGNED32 = 29
'Public Const ORATYPE_PTR = 32
'Public Const ORATYPE_OPAQUE = 58
'Public Const ORATYPE_UINT = 68
'Public Const ORATYPE_RAW = 95
Public Const ORATYPE_CHAR = 96
'Public Const ORATYPE_CHARZ = 97
'Public Const ORATYPE_CURSOR = 102
'Public Const ORATYPE_ROWID = 104
'Public Const ORATYPE_MLSLABEL = 105
'Public Const ORATYPE_OBJECT = 108
'Public Const ORATYPE_REF = 110
'Public Const ORATYPE_CLOB = 112
'Public Const ORATYPE_BLOB = 113
'Public Const ORATYPE_BFILE = 114
'Public Const ORATYPE_CFILE = 115
'Public Const ORATYPE_RSLT = 116
'Public Const ORATYPE_NAMEDCOLLECTION = 122
'Public Const ORATYPE_COLL = 122
'Public Const ORATYPE_SYSFIRST = 228
'Public Const ORATYPE_SYSLAST = 235
'Public Const ORATYPE_OCTET = 245
'Public Const ORATYPE_SMALLINT = 246
'Public Const ORATYPE_VARRAY = 247
'Public Const ORATYPE_TABLE = 248
'Public Const ORATYPE_OTMLAST = 320

Public Function Call_Package() as Long
'************************************************************
'関数名:パッケージ呼出[EMP]
'引数  :
'戻り値:パッケージエラーコード
'機能  :
'************************************************************

Dim ppOraParam As OraParameters
Dim ppSQL      As String
Dim Rtn        As Long
Dim i          As Integer
Dim ppMsg      As String
Dim ppParamStr As OraParamArray '汎用引数(文字列)
Dim ppParamNum As OraParamArray '汎用引数(数値)

'DEPTパラメータ用
Dim rcDEPT As Integer 'レコード数
Dim ppDEPT_DEPTNO   As OraParamArray
Dim ppDEPT_DNAME    As OraParamArray
Dim ppDEPT_LOC      As OraParamArray

'EMPパラメータ用
Dim rcEMP As Integer 'レコード数
Dim ppEMP_EMPNO    As OraParamArray
Dim ppEMP_ENAME    As OraParamArray
Dim ppEMP_JOB      As OraParamArray
Dim ppEMP_MGR      As OraParamArray
Dim ppEMP_HIREDATE As OraParamArray
Dim ppEMP_SAL      As OraParamArray
Dim ppEMP_COMM     As OraParamArray
Dim ppEMP_DEPTNO   As OraParamArray

On Error GoTo ParamSetErr
	Call_Package = 0
	ppMsg = "レコード数設定中"
	'配列レコード数を設定++++++++++
	rcDEPT = 0
	rcEMP = 0
	'++++++++++++++++++++++++++++++

	ppMsg = "パラメータ準備中"
	Set ppOraParam = ppOraDB.Parameters
	With ppOraParam
		.Add "EMP_ErrCode", 0, ORAPARM_OUTPUT, ORATYPE_NUMBER
		.Add "EMP_ErrName", vbNullString, ORAPARM_OUTPUT, ORATYPE_VARCHAR2
		.AddTable "EMP_GenStr", ORAPARM_BOTH, ORATYPE_VARCHAR2, 3, 30
		.AddTable "EMP_GenNum", ORAPARM_BOTH, ORATYPE_NUMBER, 2

		'[DEPT]
		.Add "DEPT_ArrayCnt", 0, ORAPARM_INPUT, ORATYPE_NUMBER
		.AddTable "DEPT_DEPTNO", ORAPARM_INPUT, ORATYPE_NUMBER, rcDEPT
		.AddTable "DEPT_DNAME", ORAPARM_INPUT, ORATYPE_VARCHAR2, rcDEPT, 14
		.AddTable "DEPT_LOC", ORAPARM_INPUT, ORATYPE_VARCHAR2, rcDEPT, 13

		'[EMP]
		.Add "EMP_ArrayCnt", 0, ORAPARM_INPUT, ORATYPE_NUMBER
		.AddTable "EMP_EMPNO", ORAPARM_INPUT, ORATYPE_NUMBER, rcEMP
		.AddTable "EMP_ENAME", ORAPARM_INPUT, ORATYPE_VARCHAR2, rcEMP, 10
		.AddTable "EMP_JOB", ORAPARM_INPUT, ORATYPE_VARCHAR2, rcEMP, 9
		.AddTable "EMP_MGR", ORAPARM_INPUT, ORATYPE_NUMBER, rcEMP
		.AddTable "EMP_HIREDATE", ORAPARM_INPUT, ORATYPE_DATE, rcEMP
		.AddTable "EMP_SAL", ORAPARM_INPUT, ORATYPE_NUMBER, rcEMP
		.AddTable "EMP_COMM", ORAPARM_INPUT, ORATYPE_NUMBER, rcEMP
		.AddTable "EMP_DEPTNO", ORAPARM_INPUT, ORATYPE_NUMBER, rcEMP
	End With

	ppMsg = "配列オブジェクトセット中"
	'[DEPT]
	Set ppDEPT_DEPTNO   = ppOraParam("DEPT_DEPTNO")
	Set ppDEPT_DNAME    = ppOraParam("DEPT_DNAME")
	Set ppDEPT_LOC      = ppOraParam("DEPT_LOC")
	'[EMP]
	Set ppEMP_EMPNO    = ppOraParam("EMP_EMPNO")
	Set ppEMP_ENAME    = ppOraParam("EMP_ENAME")
	Set ppEMP_JOB      = ppOraParam("EMP_JOB")
	Set ppEMP_MGR      = ppOraParam("EMP_MGR")
	Set ppEMP_HIREDATE = ppOraParam("EMP_HIREDATE")
	Set ppEMP_SAL      = ppOraParam("EMP_SAL")
	Set ppEMP_COMM     = ppOraParam("EMP_COMM")
	Set ppEMP_DEPTNO   = ppOraParam("EMP_DEPTNO")

	Set ppParamStr = ppOraParam("EMP_GenStr")
	Set ppParamNum = ppOraParam("EMP_GenNum")

	ppMsg = "SQL作成中"
	ppSQL = "Begin EMP_PACK.PUB_EMP("
	ppSQL = ppSQL & ":EMP_ErrCode,"
	ppSQL = ppSQL & ":EMP_ErrName,"
	ppSQL = ppSQL & ":EMP_GenStr,"
	ppSQL = ppSQL & ":EMP_GenNum,"
	ppSQL = ppSQL & ":DEPT_ArrayCnt,"
	ppSQL = ppSQL & ":DEPT_DEPTNO,"
	ppSQL = ppSQL & ":DEPT_DNAME,"
	ppSQL = ppSQL & ":DEPT_LOC,"
	ppSQL = ppSQL & ":EMP_ArrayCnt,"
	ppSQL = ppSQL & ":EMP_EMPNO,"
	ppSQL = ppSQL & ":EMP_ENAME,"
	ppSQL = ppSQL & ":EMP_JOB,"
	ppSQL = ppSQL & ":EMP_MGR,"
	ppSQL = ppSQL & ":EMP_HIREDATE,"
	ppSQL = ppSQL & ":EMP_SAL,"
	ppSQL = ppSQL & ":EMP_COMM,"
	ppSQL = ppSQL & ":EMP_DEPTNO"
	ppSQL = ppSQL & "); END;"

	'データセット++++++++++++++++++++++++++++++++++++++
	'汎用文字列(30桁以内)
	ppParamStr(0) = vbNullString
	ppParamStr(1) = vbNullString
	ppParamStr(2) = vbNullString
	'汎用数値
	ppParamNum(0) = 0
	ppParamNum(1) = 0

	ppMsg = "DEPTパラメータセット中"
	ppOraParam("DEPT_ArrayCnt").Value = rcDEPT
	For i = 0 To rcDEPT - 1 Step 1
		ppDEPT_DEPTNO(i)   = 0
		ppDEPT_DNAME(i)    = vbNullString
		ppDEPT_LOC(i)      = vbNullString
	Next i

	ppMsg = "EMPパラメータセット中"
	ppOraParam("EMP_ArrayCnt").Value = rcEMP
	For i = 0 To rcEMP - 1 Step 1
		ppEMP_EMPNO(i)    = 0
		ppEMP_ENAME(i)    = vbNullString
		ppEMP_JOB(i)      = vbNullString
		ppEMP_MGR(i)      = 0
		ppEMP_HIREDATE(i) = vbNullString
		ppEMP_SAL(i)      = 0
		ppEMP_COMM(i)     = 0
		ppEMP_DEPTNO(i)   = 0
	Next i
	'++++++++++++++++++++++++++++++++++++++++++++++++++

	ppMsg = "パッケージ処理中"
	Call ppOraDB.ExecuteSQL(ppSQL)
	If ppOraParam("EMP_ErrCode").Value = 0 Then
		'正常終了処理++++++++++++++++++++++++++++++++++++++


		'++++++++++++++++++++++++++++++++++++++++++++++++++
	Else
		'異常終了処理++++++++++++++++++++++++++++++++++++++

		Call_Package = ppOraParam("EMP_ErrCode").Value
		'MsgBox "パッケージエラー：" & vbCrLf & ppOraParam("EMP_ErrName").Value, vbCritical, App.Title
		'++++++++++++++++++++++++++++++++++++++++++++++++++
	End If

	ppMsg = "パラメータ解放中"
	Do While (ppOraParam.Count > 0)
		ppOraParam.Remove(0)
	Loop
	Set ppOraParam = Nothing
	Exit Function

ParamSetErr:
'エラー処理
	On Error Resume Next
	Call_Package = 12345678 '数値変更可
	Do While (ppOraParam.Count > 0)
		ppOraParam.Remove(0)
	Loop
	Set ppOraParam = Nothing
	'MsgBox ppMsg & "にエラーが発生しました" & vbCrLf & Err.Description, vbCritical, App.Title
End Function

Public Function Call_Package2() as Long
'************************************************************
'関数名:パッケージ呼出[社員台帳]
'引数  :
'戻り値:パッケージエラーコード
'機能  :
'************************************************************

Dim ppOraParam As OraParameters
Dim ppSQL      As String
Dim Rtn        As Long
Dim i          As Integer
Dim ppMsg      As String

On Error GoTo ParamSetErr
	Call_Package2 = 0
	ppMsg = "パラメータ準備中"
	Set ppOraParam = ppOraDB.Parameters
	With ppOraParam
		.Add "社員台帳_ErrCode", 0, ORAPARM_OUTPUT, ORATYPE_NUMBER
		.Add "社員台帳_ErrName", vbNullString, ORAPARM_OUTPUT, ORATYPE_VARCHAR2
	End With


	ppMsg = "SQL作成中"
	ppSQL = "Begin EMP_PACK.PUB_社員台帳("
	ppSQL = ppSQL & ":社員台帳_ErrCode,"
	ppSQL = ppSQL & ":社員台帳_ErrName"
	ppSQL = ppSQL & "); END;"

	ppMsg = "パッケージ処理中"
	Call ppOraDB.ExecuteSQL(ppSQL)
	If ppOraParam("社員台帳_ErrCode").Value = 0 Then
		'正常終了処理++++++++++++++++++++++++++++++++++++++


		'++++++++++++++++++++++++++++++++++++++++++++++++++
	Else
		'異常終了処理++++++++++++++++++++++++++++++++++++++

		Call_Package2 = ppOraParam("社員台帳_ErrCode").Value
		'MsgBox "パッケージエラー：" & vbCrLf & ppOraParam("社員台帳_ErrName").Value, vbCritical, App.Title
		'++++++++++++++++++++++++++++++++++++++++++++++++++
	End If

	ppMsg = "パラメータ解放中"
	Do While (ppOraParam.Count > 0)
		ppOraParam.Remove(0)
	Loop
	Set ppOraParam = Nothing
	Exit Function

ParamSetErr:
'エラー処理
	On Error Resume Next
	Call_Package2 = 12345678 '数値変更可
	Do While (ppOraParam.Count > 0)
		ppOraParam.Remove(0)
	Loop
	Set ppOraParam = Nothing
	'MsgBox ppMsg & "にエラーが発生しました" & vbCrLf & Err.Description, vbCritical, App.Title
End Function
