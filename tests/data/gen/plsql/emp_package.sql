--ﾊﾟｯｹｰｼﾞ仕様定義部
CREATE OR REPLACE PACKAGE EMP_PACK AS

  --追加 PL/SQLﾃｰﾌﾞﾙ(Manual)


  --外部に公開するﾌﾟﾛｼｰｼﾞｬの宣言(Generated)
  PROCEDURE PUB_EMP(
    ouEMP_ErrCode     OUT INTEGER,
    ouEMP_ErrName     OUT VARCHAR2
    );

  --外部に公開するｸﾞﾛｰﾊﾞﾙ変数(Manual)


END EMP_PACK;
/
SHOW ERRORS

--**************************************************

--ﾊﾟｯｹｰｼﾞﾎﾞﾃﾞｨ部
CREATE OR REPLACE PACKAGE BODY EMP_PACK AS

  --<<ﾊﾟｯｹｰｼﾞ内部のｸﾞﾛｰﾊﾞﾙ変数>>
  --ｶｰｿﾙ用ﾚｺｰﾄﾞ変数(Generated)
  DB_EMP APP.EMP%ROWTYPE;

  --自動生成(Generated)
  pp_ErrCode   NUMBER;
  pp_ErrName   VARCHAR2(255);
  pp_OK        CONSTANT INTEGER := 0;

  --ﾃｰﾌﾞﾙ項目変数(Generated)
  --[EMP]
  emp_empno    APP.EMP.EMPNO%TYPE;
  emp_ename    APP.EMP.ENAME%TYPE;

  --追加ｸﾞﾛｰﾊﾞﾙ変数(Manual)


  --ｶｽﾀﾏｲｽﾞ対象関数定義(Generated)
  FUNCTION MAIN_EMP RETURN NUMBER;

--内部関数ﾎﾞﾃﾞｨ
PROCEDURE PUB_EMP(
  ouEMP_ErrCode     OUT INTEGER,
  ouEMP_ErrName     OUT VARCHAR2
  ) IS

BEGIN
  --カスタマイズ対象サブ呼出
  pp_ErrCode := MAIN_EMP;
  if pp_ErrCode = pp_OK then
    COMMIT;
  else
    ROLLBACK;
  end if;
  ouEMP_ErrCode := pp_ErrCode;
  ouEMP_ErrName := pp_ErrName;

EXCEPTION
  when others then
    ouEMP_ErrCode := SQLCODE;
    ouEMP_ErrName := SQLERRM;
    ROLLBACK;
END;

FUNCTION MAIN_EMP RETURN NUMBER IS
  --ここにﾌﾟﾗｲﾍﾞｰﾄ変数やｶｰｿﾙを宣言します
  pp_MyErr  EXCEPTION;  --関数呼出時のｴﾗｰ

  --関数呼出のｽｹﾙﾄﾝ
  --pp_ErrCode := INS_EMP; --(呼び出す関数名)
  --if pp_ErrCode <> pp_OK then
  --  raise pp_MyErr;
  --end if;

BEGIN
  --ここに処理を書きます



  return(pp_OK);
EXCEPTION
  when pp_MyErr then
    return(pp_ErrCode);
  when others then
    pp_ErrName := SQLERRM;
    return(SQLCODE);
END;

END EMP_PACK;
/
SHOW ERRORS
COMMIT;
